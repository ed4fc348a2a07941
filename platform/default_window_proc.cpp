#include "platform/default_window_proc.h"

#include "platform/messages.h"

intptr_t EmulatedDefWindowProc(PlatformWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    constexpr intptr_t kAltContext = intptr_t{1} << 29;  // lParam bit 29: Alt was down
    switch (message) {
    case WM_CLOSE:
        PlatformDestroyWindow(window);
        return 0;
    case WM_SYSKEYDOWN:
        if (wParam == VK_F4 && (lParam & kAltContext) != 0) PlatformSendMessage(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE) PlatformSendMessage(window, WM_CLOSE, 0, 0);
        return 0;
    default:
        return 0;
    }
}
