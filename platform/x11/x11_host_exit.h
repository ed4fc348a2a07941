#pragma once

// A host on X11 stops its saver with a signal and expects it to die of it: XScreenSaver
// logs an exit, even with status 0, as "exited abnormally". Called once a run is known to
// be hosted; the process then ends, after the normal teardown, by the signal that stopped
// it (unixStopSignal holds its number), with the signal's default action.
void X11EndByTheStopSignalWhenHosted();
