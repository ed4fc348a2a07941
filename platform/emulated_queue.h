#pragma once

#include <cstdint>
#include <deque>

#include "platform/platform.h"

// The message queue of a layer that emulates Win32's: posted messages in order, then, once
// the queue is empty after PostQuitMessage, one WM_QUIT.
struct EmulatedQueue {
    std::deque<PlatformMessage> messages;
    bool quitPosted = false;
    int32_t quitCode = 0;

    bool take(PlatformMessage* message);
    // Only for the saver's own window, as Windows refuses a window that is not there.
    bool post(PlatformWindow saverWindow, const PlatformMessage& message);
    void postQuit(int32_t exitCode);
};
