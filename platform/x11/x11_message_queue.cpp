// The Win32 message queue, emulated: posted messages wait in a queue, sent ones reach the
// window procedure at once, X events become messages when the queue runs dry.
#include "platform/x11/x11_state.h"
#include "platform/messages.h"

namespace {

bool IsSaverWindow(PlatformWindow window) { return window != 0 && window == x11.window; }

}  // namespace

bool PlatformPeekMessage(PlatformMessage* message) {
    if (x11StopRequested && x11.window != 0) PlatformDestroyWindow(x11.window);
    if (x11.queue.empty()) X11PumpEvents();
    if (!x11.queue.empty()) {
        *message = x11.queue.front();
        x11.queue.pop_front();
        return true;
    }
    if (x11.quitPosted) {
        x11.quitPosted = false;
        *message = PlatformMessage{0, WM_QUIT, static_cast<uintptr_t>(x11.quitCode), 0};
        return true;
    }
    return false;
}

// Character messages are nobody's concern here.
void PlatformTranslateMessage(const PlatformMessage&) {}

// Messages left for a window that has gone are dropped, as Windows drops them.
intptr_t PlatformDispatchMessage(const PlatformMessage& message) {
    if (!IsSaverWindow(message.window)) return 0;
    return x11.procedure(message.window, message.message, message.wParam, message.lParam);
}

bool PlatformPostMessage(PlatformWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    if (!IsSaverWindow(window)) return false;
    x11.queue.push_back({window, message, wParam, lParam});
    return true;
}

intptr_t PlatformSendMessage(PlatformWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    if (!IsSaverWindow(window)) return 0;
    return x11.procedure(window, message, wParam, lParam);
}

// What DefWindowProc does for the messages the saver passes on: a close destroys, and
// Alt+F4 becomes the close command.
intptr_t PlatformDefWindowProc(PlatformWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    constexpr intptr_t kAltContext = intptr_t{1} << 29;
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

void PlatformPostQuitMessage(int32_t exitCode) {
    x11.quitPosted = true;
    x11.quitCode = exitCode;
}
