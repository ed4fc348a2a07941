#pragma once

#include <cstdint>

#include "platform/platform.h"

// What DefWindowProc does with the messages the saver passes on, for window systems that
// have no DefWindowProc of their own (X11, and the test fake, which must behave alike): a
// close destroys the window, Alt+F4 becomes the close command, everything else is ignored.
// Built on PlatformDestroyWindow and PlatformSendMessage of whichever layer is linked.
intptr_t EmulatedDefWindowProc(PlatformWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam);

// Posting and sending reach only the saver's own window; Windows refuses a window that is
// not there, and the saver owns no other.
inline bool AcceptsMessages(PlatformWindow target, PlatformWindow saverWindow) {
    return target != 0 && target == saverWindow;
}
