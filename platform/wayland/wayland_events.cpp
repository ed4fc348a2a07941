// What the compositor has sent, as messages for the shared queue: input (queued by the
// listeners as it comes) and the surfaces' layout; and the lock's stop and verdict.
#include <vector>

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
    unixLayer.queue.messages.push_back({wayland.window, message, wParam, lParam});
}

intptr_t WaylandPointParam(int32_t x, int32_t y) {
    return static_cast<intptr_t>((static_cast<uint32_t>(y) & 0xFFFF) << 16 | (static_cast<uint32_t>(x) & 0xFFFF));
}

int UnixDisplayFd() { return wayland.display != nullptr ? wl_display_get_fd(wayland.display) : -1; }

void UnixPumpEvents() {
    WaylandLockTakeStop();
    WaylandPump();
    WaylandLockPollCheck();
    TellLayout();
}
