// The saver's surface on each output: an overlay layer surface that covers it and takes
// the keyboard (a background one, taking nothing, for --layer), or a fullscreen toplevel
// where there is no layer shell. Nothing is drawn before the first configure; every commit
// is at exactly the size of the last one, whose serial is acknowledged first.
#include "platform/messages.h"
#include "platform/wayland/wayland_lock.h"
#include "platform/wayland/wayland_state.h"

namespace {

void SetRegions(WaylandOutput& output) {
    wl_region* opaque = wl_compositor_create_region(wayland.compositor);
    wl_region_add(opaque, 0, 0, output.width, output.height);
    wl_surface_set_opaque_region(output.surface, opaque);
    wl_region_destroy(opaque);
    if (wayland.hosted) {
        // The host's input is the host's: an empty input region lets it all through.
        wl_region* none = wl_compositor_create_region(wayland.compositor);
        wl_surface_set_input_region(output.surface, none);
        wl_region_destroy(none);
    }
}

}  // namespace

// A size of 0 leaves the choice to us: the output's own.
void WaylandConfigure(WaylandOutput& output, int32_t width, int32_t height) {
    if (width <= 0) width = output.modeWidth > 0 ? output.modeWidth : 640;
    if (height <= 0) height = output.modeHeight > 0 ? output.modeHeight : 480;
    output.configured = true;
    if (width == output.width && height == output.height) return;
    output.width = width;
    output.height = height;
    SetRegions(output);
    // Takes effect with the next swap, which commits the surface at this size.
    if (output.eglWindow != nullptr) wl_egl_window_resize(output.eglWindow, width, height, 0, 0);
}

namespace {

void LayerConfigure(void* data, zwlr_layer_surface_v1* surface, uint32_t serial, uint32_t width,
                    uint32_t height) {
    zwlr_layer_surface_v1_ack_configure(surface, serial);
    WaylandConfigure(*static_cast<WaylandOutput*>(data), static_cast<int32_t>(width), static_cast<int32_t>(height));
}

// The compositor will not show this surface again (its output went, or it was asked to).
void LayerClosed(void* data, zwlr_layer_surface_v1*) {
    WaylandDestroySurface(*static_cast<WaylandOutput*>(data));
    if (wayland.window != 0 && !WaylandHasLiveSurface()) WaylandWindowGone();
}

const zwlr_layer_surface_v1_listener kLayerListener = {LayerConfigure, LayerClosed};

void XdgSurfaceConfigure(void* data, xdg_surface* surface, uint32_t serial) {
    xdg_surface_ack_configure(surface, serial);
    auto* output = static_cast<WaylandOutput*>(data);
    WaylandConfigure(*output, output->pendingWidth, output->pendingHeight);
}

const xdg_surface_listener kXdgSurfaceListener = {XdgSurfaceConfigure};

void ToplevelConfigure(void* data, xdg_toplevel*, int32_t width, int32_t height, wl_array*) {
    auto* output = static_cast<WaylandOutput*>(data);
    output->pendingWidth = width;
    output->pendingHeight = height;
}

// As a window manager's close button: the window procedure decides.
void ToplevelClose(void*, xdg_toplevel*) { WaylandQueue(WM_CLOSE, 0, 0); }

void ToplevelBounds(void*, xdg_toplevel*, int32_t, int32_t) {}
void ToplevelCapabilities(void*, xdg_toplevel*, wl_array*) {}

const xdg_toplevel_listener kToplevelListener = {ToplevelConfigure, ToplevelClose, ToplevelBounds,
                                                 ToplevelCapabilities};

}  // namespace

void WaylandCreateSurface(WaylandOutput& output) {
    if (output.surface != nullptr || wayland.compositor == nullptr) return;
    output.surface = wl_compositor_create_surface(wayland.compositor);
    if (WaylandSessionLocked()) {
        WaylandGiveLockRole(output);
        return;
    }
    if (wayland.layerShell != nullptr) {
        const uint32_t layer = wayland.hosted ? ZWLR_LAYER_SHELL_V1_LAYER_BACKGROUND : ZWLR_LAYER_SHELL_V1_LAYER_OVERLAY;
        output.layerSurface =
            zwlr_layer_shell_v1_get_layer_surface(wayland.layerShell, output.surface, output.output, layer, "brisalo");
        zwlr_layer_surface_v1_add_listener(output.layerSurface, &kLayerListener, &output);
        zwlr_layer_surface_v1_set_anchor(output.layerSurface,
                                         ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP | ZWLR_LAYER_SURFACE_V1_ANCHOR_BOTTOM |
                                             ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT | ZWLR_LAYER_SURFACE_V1_ANCHOR_RIGHT);
        zwlr_layer_surface_v1_set_size(output.layerSurface, 0, 0);
        zwlr_layer_surface_v1_set_exclusive_zone(output.layerSurface, -1);
        zwlr_layer_surface_v1_set_keyboard_interactivity(
            output.layerSurface, wayland.hosted ? ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_NONE
                                                : ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_EXCLUSIVE);
    } else {
        output.xdgSurface = xdg_wm_base_get_xdg_surface(wayland.wmBase, output.surface);
        xdg_surface_add_listener(output.xdgSurface, &kXdgSurfaceListener, &output);
        output.toplevel = xdg_surface_get_toplevel(output.xdgSurface);
        xdg_toplevel_add_listener(output.toplevel, &kToplevelListener, &output);
        xdg_toplevel_set_title(output.toplevel, "SaverWindow");
        xdg_toplevel_set_app_id(output.toplevel, "brisalo");
        xdg_toplevel_set_fullscreen(output.toplevel, output.output);
    }
    wl_surface_commit(output.surface);
}

void WaylandDestroySurface(WaylandOutput& output) {
    WaylandDestroyEglSurface(output);
    WaylandForgetFrame(output);
    if (wayland.selected == &output) wayland.selected = nullptr;
    output.drawn = false;
    WaylandDropLockRole(output);
    if (output.layerSurface != nullptr) zwlr_layer_surface_v1_destroy(output.layerSurface);
    if (output.toplevel != nullptr) xdg_toplevel_destroy(output.toplevel);
    if (output.xdgSurface != nullptr) xdg_surface_destroy(output.xdgSurface);
    if (output.surface != nullptr) wl_surface_destroy(output.surface);
    output.layerSurface = nullptr;
    output.toplevel = nullptr;
    output.xdgSurface = nullptr;
    output.surface = nullptr;
    output.configured = false;
    output.width = 0;
    output.height = 0;
}

bool WaylandHasLiveSurface() {
    for (auto& output : wayland.outputs) {
        if (output->surface != nullptr) return true;
    }
    return false;
}

std::vector<WaylandOutput*> WaylandLiveSurfaces() {
    std::vector<WaylandOutput*> live;
    for (auto& output : wayland.outputs) {
        if (output->surface != nullptr && output->configured) live.push_back(output.get());
    }
    return live;
}

void WaylandWindowGone() {
    if (wayland.window == 0) return;
    for (auto& output : wayland.outputs) WaylandDestroySurface(*output);
    const PlatformWindow window = wayland.window;
    wayland.window = 0;
    unixLayer.procedure(window, WM_DESTROY, 0, 0);
}
