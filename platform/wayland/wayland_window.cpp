// The saver window on Wayland: one surface per output, made together and gone together.
// Its size, as the shell sees it, is that of the surface GL draws to.
#include <ctime>
#include <vector>

#include "platform/log.h"
#include "platform/messages.h"
#include "platform/wayland/wayland_lock.h"
#include "platform/wayland/wayland_state.h"

namespace {

constexpr int kConfigureWaitMs = 2000;

bool AllConfigured() {
    for (auto& output : wayland.outputs) {
        if (output->surface != nullptr && !output->configured) return false;
    }
    return true;
}

// Sizes come with the first configure; the window procedure hears them before any frame.
void WaitForConfigures() {
    timespec start{};
    clock_gettime(CLOCK_MONOTONIC, &start);
    while (!AllConfigured() && wl_display_get_error(wayland.display) == 0) {
        wl_display_roundtrip(wayland.display);
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        const long elapsed = (now.tv_sec - start.tv_sec) * 1000 + (now.tv_nsec - start.tv_nsec) / 1000000;
        if (elapsed > kConfigureWaitMs) break;
    }
}

}  // namespace

PlatformWindow UnixSaverWindow() { return wayland.window; }

// The first output's mode: what the first surface will be configured to, as a rule.
int32_t PlatformGetScreenWidth() {
    WaylandOutput* output = WaylandConnect() ? WaylandFirstOutput() : nullptr;
    return output != nullptr ? output->modeWidth : 0;
}

int32_t PlatformGetScreenHeight() {
    WaylandOutput* output = WaylandConnect() ? WaylandFirstOutput() : nullptr;
    return output != nullptr ? output->modeHeight : 0;
}

// The one host a --layer run has is the desktop's background, as large as the first output.
bool PlatformGetWindowRect(PlatformWindow window, PlatformRect* rect) {
    if (window != kWaylandLayerHost && (window == 0 || window != wayland.window)) return false;
    WaylandOutput* output = WaylandConnect() ? WaylandFirstOutput() : nullptr;
    if (output == nullptr) return false;
    *rect = {output->x, output->y, output->x + output->modeWidth, output->y + output->modeHeight};
    return true;
}

PlatformWindow PlatformCreateWindow(const char* className, const char* title, bool child, PlatformWindow parent,
                                    int32_t width, int32_t height) {
    (void)title;
    if (!WaylandConnect() || unixLayer.className != className || wayland.window != 0) return 0;
    if (child && parent != kWaylandLayerHost) return 0;
    if (child && wayland.layerShell == nullptr) {
        PlatformLogError("--layer needs a compositor with the layer shell (zwlr_layer_shell_v1)");
        return 0;
    }
    if (wayland.layerShell == nullptr && wayland.wmBase == nullptr) {
        PlatformLogError("the Wayland compositor offers neither the layer shell nor xdg-shell");
        return 0;
    }
    if (WaylandIsLockRun() && (child || !WaylandLockSession())) return 0;
    wayland.hosted = child;
    wayland.window = kWaylandWindow;
    wayland.toldWidth = width;
    wayland.toldHeight = height;
    unixLayer.procedure(wayland.window, WM_CREATE, 0, 0);
    if (wayland.window == 0) return 0;

    for (auto& output : wayland.outputs) {
        if (output->announced) WaylandCreateSurface(*output);
    }
    WaitForConfigures();
    return wayland.window;
}

// Shown from the start, as the surfaces map with their first frame.
void PlatformShowWindow(PlatformWindow, int32_t) {}

// As on Windows, the window procedure sees WM_DESTROY before this returns.
// A lock's window goes only with the unlock (PlatformUnlockSession).
bool PlatformDestroyWindow(PlatformWindow window) {
    if (window == 0 || window != wayland.window || WaylandSessionLocked()) return false;
    for (auto& output : wayland.outputs) WaylandDestroySurface(*output);
    unixLayer.procedure(window, WM_DESTROY, 0, 0);
    wayland.window = 0;
    if (wayland.display != nullptr) wl_display_flush(wayland.display);
    return true;
}

// One monitor per configured surface, each the whole of its own surface; numbered as
// PlatformSelectSurface takes them. Before the first configure, the window's size on
// surface 0, which draws nowhere yet.
int32_t PlatformGetMonitors(PlatformWindow window, PlatformMonitor* monitors, int32_t capacity) {
    if (window == 0 || window != wayland.window || capacity < 1) return 0;
    const std::vector<WaylandOutput*> surfaces = WaylandLiveSurfaces();
    if (surfaces.empty()) {
        monitors[0].rect = {0, 0, wayland.toldWidth, wayland.toldHeight};
        monitors[0].surface = 0;
        return 1;
    }
    int32_t count = 0;
    for (const WaylandOutput* output : surfaces) {
        if (count < capacity) {
            monitors[count].rect = {0, 0, output->width, output->height};
            monitors[count].surface = count;
        }
        ++count;
    }
    return count;
}
