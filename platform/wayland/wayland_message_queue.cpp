// The Win32 message queue, emulated: posted messages wait in a queue, sent ones reach the
// window procedure at once, Wayland events become messages when the queue runs dry.
#include <vector>

#include "platform/default_window_proc.h"
#include "platform/messages.h"
#include "platform/wayland/wayland_lock.h"
#include "platform/wayland/wayland_state.h"

namespace {

// What the window procedure has to hear of the surfaces: the first one's size as the
// window's, and any change among them, after which it asks for the monitors again.
void TellLayout() {
    if (wayland.window == 0) return;
    const std::vector<WaylandOutput*> surfaces = WaylandLiveSurfaces();
    std::vector<int32_t> layout;
    for (const WaylandOutput* output : surfaces) {
        layout.push_back(output->width);
        layout.push_back(output->height);
    }
    if (!surfaces.empty() && (surfaces[0]->width != wayland.toldWidth || surfaces[0]->height != wayland.toldHeight)) {
        wayland.toldWidth = surfaces[0]->width;
        wayland.toldHeight = surfaces[0]->height;
        wayland.toldLayout = layout;
        WaylandQueue(WM_SIZE, 0, WaylandPointParam(wayland.toldWidth, wayland.toldHeight));  // asks again too
    } else if (layout != wayland.toldLayout) {
        wayland.toldLayout = layout;
        WaylandQueue(WM_DISPLAYCHANGE, 32, WaylandPointParam(wayland.toldWidth, wayland.toldHeight));
    }
}

}  // namespace

void WaylandQueue(uint32_t message, uintptr_t wParam, intptr_t lParam) {
    wayland.queue.messages.push_back({wayland.window, message, wParam, lParam});
}

intptr_t WaylandPointParam(int32_t x, int32_t y) {
    return static_cast<intptr_t>((static_cast<uint32_t>(y) & 0xFFFF) << 16 | (static_cast<uint32_t>(x) & 0xFFFF));
}

bool PlatformPeekMessage(PlatformMessage* message) {
    if (!WaylandLockTakesStop() && waylandStopRequested && wayland.window != 0) PlatformDestroyWindow(wayland.window);
    if (wayland.queue.messages.empty()) {
        WaylandPump();
        WaylandLockPollCheck();
        TellLayout();
    }
    return wayland.queue.take(message);
}

// Character messages are nobody's concern here.
void PlatformTranslateMessage(const PlatformMessage&) {}

// Messages left for a window that has gone are dropped, as Windows drops them.
intptr_t PlatformDispatchMessage(const PlatformMessage& message) {
    if (!AcceptsMessages(message.window, wayland.window)) return 0;
    return wayland.procedure(message.window, message.message, message.wParam, message.lParam);
}

bool PlatformPostMessage(PlatformWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    return wayland.queue.post(wayland.window, {window, message, wParam, lParam});
}

intptr_t PlatformSendMessage(PlatformWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    if (!AcceptsMessages(window, wayland.window)) return 0;
    return wayland.procedure(window, message, wParam, lParam);
}

intptr_t PlatformDefWindowProc(PlatformWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    return EmulatedDefWindowProc(window, message, wParam, lParam);
}

void PlatformPostQuitMessage(int32_t exitCode) {
    wayland.queue.postQuit(exitCode);
}
