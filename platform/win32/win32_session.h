#pragma once

// Ends the process once its session is gone. Under Wine the session is the wineserver, and
// only a question put to it finds out that it was killed: the question then ends the
// process. Looking for messages no longer asks it (Wine 10 answers from shared memory), so
// the message loops call this as they go; it asks a few times a second.
void Win32FollowSessionEnd();
