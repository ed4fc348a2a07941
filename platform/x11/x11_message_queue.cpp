// The Win32 message queue, emulated: posted messages wait in a queue, sent ones reach the
// window procedure at once, X events become messages when the queue runs dry.
#include "platform/default_window_proc.h"
#include "platform/messages.h"
#include "platform/x11/x11_state.h"

bool PlatformPeekMessage(PlatformMessage* message) {
    if (x11StopRequested && x11.window != 0) PlatformDestroyWindow(x11.window);
    if (x11.queue.messages.empty()) X11PumpEvents();
    return x11.queue.take(message);
}

// Character messages are nobody's concern here.
void PlatformTranslateMessage(const PlatformMessage&) {}

// Messages left for a window that has gone are dropped, as Windows drops them.
intptr_t PlatformDispatchMessage(const PlatformMessage& message) {
    if (!AcceptsMessages(message.window, x11.window)) return 0;
    return x11.procedure(message.window, message.message, message.wParam, message.lParam);
}

bool PlatformPostMessage(PlatformWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    return x11.queue.post(x11.window, {window, message, wParam, lParam});
}

intptr_t PlatformSendMessage(PlatformWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    if (!AcceptsMessages(window, x11.window)) return 0;
    return x11.procedure(window, message, wParam, lParam);
}

intptr_t PlatformDefWindowProc(PlatformWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    return EmulatedDefWindowProc(window, message, wParam, lParam);
}

void PlatformPostQuitMessage(int32_t exitCode) {
    x11.queue.postQuit(exitCode);
}
