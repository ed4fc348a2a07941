// The Win32 message queue, emulated: posted messages wait in a queue, sent ones reach the
// window procedure at once, Wayland events become messages when the queue runs dry.
#include "platform/default_window_proc.h"
#include "platform/messages.h"
#include "platform/wayland/wayland_state.h"

namespace {

// The surface GL draws to next may be of another size than the last one told.
void TellSize() {
    if (wayland.window == 0 || wayland.current >= wayland.outputs.size()) return;
    const WaylandOutput& output = *wayland.outputs[wayland.current];
    if (!output.configured || (output.width == wayland.toldWidth && output.height == wayland.toldHeight)) return;
    wayland.toldWidth = output.width;
    wayland.toldHeight = output.height;
    WaylandQueue(WM_SIZE, 0, WaylandPointParam(output.width, output.height));
}

}  // namespace

void WaylandQueue(uint32_t message, uintptr_t wParam, intptr_t lParam) {
    wayland.queue.push_back({wayland.window, message, wParam, lParam});
}

intptr_t WaylandPointParam(int32_t x, int32_t y) {
    return static_cast<intptr_t>((static_cast<uint32_t>(y) & 0xFFFF) << 16 | (static_cast<uint32_t>(x) & 0xFFFF));
}

bool PlatformPeekMessage(PlatformMessage* message) {
    if (waylandStopRequested && wayland.window != 0) PlatformDestroyWindow(wayland.window);
    if (wayland.queue.empty()) {
        WaylandPump();
        TellSize();
    }
    if (!wayland.queue.empty()) {
        *message = wayland.queue.front();
        wayland.queue.pop_front();
        return true;
    }
    if (wayland.quitPosted) {
        wayland.quitPosted = false;
        *message = PlatformMessage{0, WM_QUIT, static_cast<uintptr_t>(wayland.quitCode), 0};
        return true;
    }
    return false;
}

// Character messages are nobody's concern here.
void PlatformTranslateMessage(const PlatformMessage&) {}

// Messages left for a window that has gone are dropped, as Windows drops them.
intptr_t PlatformDispatchMessage(const PlatformMessage& message) {
    if (!AcceptsMessages(message.window, wayland.window)) return 0;
    return wayland.procedure(message.window, message.message, message.wParam, message.lParam);
}

bool PlatformPostMessage(PlatformWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    if (!AcceptsMessages(window, wayland.window)) return false;
    wayland.queue.push_back({window, message, wParam, lParam});
    return true;
}

intptr_t PlatformSendMessage(PlatformWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    if (!AcceptsMessages(window, wayland.window)) return 0;
    return wayland.procedure(window, message, wParam, lParam);
}

intptr_t PlatformDefWindowProc(PlatformWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    return EmulatedDefWindowProc(window, message, wParam, lParam);
}

void PlatformPostQuitMessage(int32_t exitCode) {
    wayland.quitPosted = true;
    wayland.quitCode = exitCode;
}
