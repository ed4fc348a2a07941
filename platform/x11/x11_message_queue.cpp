// The Win32 message queue, emulated: posted messages wait in a queue, sent ones reach the
// window procedure at once, X events become messages when the queue runs dry.
#include "platform/default_window_proc.h"
#include "platform/messages.h"
#include "platform/x11/x11_state.h"

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
    if (!AcceptsMessages(message.window, x11.window)) return 0;
    return x11.procedure(message.window, message.message, message.wParam, message.lParam);
}

bool PlatformPostMessage(PlatformWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    if (!AcceptsMessages(window, x11.window)) return false;
    x11.queue.push_back({window, message, wParam, lParam});
    return true;
}

intptr_t PlatformSendMessage(PlatformWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    if (!AcceptsMessages(window, x11.window)) return 0;
    return x11.procedure(window, message, wParam, lParam);
}

intptr_t PlatformDefWindowProc(PlatformWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    return EmulatedDefWindowProc(window, message, wParam, lParam);
}

void PlatformPostQuitMessage(int32_t exitCode) {
    x11.quitPosted = true;
    x11.quitCode = exitCode;
}
