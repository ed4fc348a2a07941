// Frames paced by the compositor. Each surface's commit asks for a frame callback, and the
// surface is drawn again only once it has come: the compositor sends it when it has shown
// the frame, and never while the output is off or the surface hidden. Swaps do not wait
// (swap interval 0), so a surface that gets no callback holds up no other one.
#include "platform/wayland/wayland_state.h"

namespace {

// A shown output answers within a refresh or two, well under a tenth of a second even at a
// slow compositor's worst. One that has not answered in a second is taken for off or
// hidden; the bound only decides when the display counts as off, since a surface waiting
// for its callback is not drawn either way.
constexpr uint32_t kFrameWaitMs = 1000;

void FrameDone(void* data, wl_callback* callback, uint32_t) {
    auto* output = static_cast<WaylandOutput*>(data);
    wl_callback_destroy(callback);
    output->frameCallback = nullptr;
    wayland.frameNews = true;
}

const wl_callback_listener kFrameListener = {FrameDone};

}  // namespace

void WaylandAskForFrame(WaylandOutput& output) {
    if (output.surface == nullptr || output.frameCallback != nullptr) return;
    output.frameCallback = wl_surface_frame(output.surface);
    wl_callback_add_listener(output.frameCallback, &kFrameListener, &output);
    output.frameAskedTick = PlatformGetTickCount();
}

void WaylandForgetFrame(WaylandOutput& output) {
    if (output.frameCallback != nullptr) wl_callback_destroy(output.frameCallback);
    output.frameCallback = nullptr;
}

bool WaylandMayDraw(const WaylandOutput& output) {
    return output.surface != nullptr && output.configured && output.frameCallback == nullptr;
}

// Every surface dark: none has shown a frame within the bound.
bool PlatformIsDisplayOff() {
    if (wayland.window == 0) return false;
    const uint32_t now = PlatformGetTickCount();
    bool any = false;
    for (const auto& output : wayland.outputs) {
        if (output->surface == nullptr || !output->configured) continue;
        if (output->frameCallback == nullptr || now - output->frameAskedTick < kFrameWaitMs) return false;
        any = true;
    }
    return any;
}

// A callback that came ends the pause: its surface may be drawn now.
bool UnixWakeEarly() {
    const bool news = wayland.frameNews;
    wayland.frameNews = false;
    return news;
}
