// The Win32 message queue, emulated for both Linux window systems: posted messages wait in
// a queue, sent ones reach the window procedure at once, the display's events become
// messages when the queue runs dry.
#include "platform/default_window_proc.h"
#include "platform/messages.h"
#include "platform/unix/unix_layer.h"

UnixLayer unixLayer;

// A class is the process's own record, as on Windows: it needs no display. Without one the
// window cannot be made, and the display's absence is what gets reported.
bool PlatformRegisterClass(const char* className, WindowProcedure procedure, PlatformInstance) {
    if (!unixLayer.className.empty()) return false;
    unixLayer.className = className;
    unixLayer.procedure = procedure;
    return true;
}

bool PlatformPeekMessage(PlatformMessage* message) {
    const PlatformWindow window = UnixSaverWindow();
    if (unixStopSignal != 0 && window != 0) PlatformDestroyWindow(window);
    if (unixLayer.queue.messages.empty()) UnixPumpEvents();
    return unixLayer.queue.take(message);
}

// Character messages are nobody's concern here.
void PlatformTranslateMessage(const PlatformMessage&) {}

// Messages left for a window that has gone are dropped, as Windows drops them.
intptr_t PlatformDispatchMessage(const PlatformMessage& message) {
    if (!AcceptsMessages(message.window, UnixSaverWindow())) return 0;
    return unixLayer.procedure(message.window, message.message, message.wParam, message.lParam);
}

bool PlatformPostMessage(PlatformWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    return unixLayer.queue.post(UnixSaverWindow(), {window, message, wParam, lParam});
}

intptr_t PlatformSendMessage(PlatformWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    if (!AcceptsMessages(window, UnixSaverWindow())) return 0;
    return unixLayer.procedure(window, message, wParam, lParam);
}

intptr_t PlatformDefWindowProc(PlatformWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    return EmulatedDefWindowProc(window, message, wParam, lParam);
}

void PlatformPostQuitMessage(int32_t exitCode) { unixLayer.queue.postQuit(exitCode); }
