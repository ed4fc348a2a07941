// The compositor's connection, its globals, and the outputs as they come and go.
#include <poll.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/log.h"
#include "platform/wayland/wayland_lock.h"
#include "platform/wayland/wayland_state.h"

WaylandState wayland;

namespace {

void OutputGeometry(void* data, wl_output*, int32_t x, int32_t y, int32_t, int32_t, int32_t, const char*,
                    const char*, int32_t) {
    auto* output = static_cast<WaylandOutput*>(data);
    // xdg-output's logical position, where there is one, is the layout's own.
    if (output->xdgOutput == nullptr) {
        output->x = x;
        output->y = y;
    }
}

void OutputMode(void* data, wl_output*, uint32_t flags, int32_t width, int32_t height, int32_t) {
    auto* output = static_cast<WaylandOutput*>(data);
    if ((flags & WL_OUTPUT_MODE_CURRENT) != 0) {
        output->modeWidth = width;
        output->modeHeight = height;
    }
}

// A new output gets its surface once it has said where it is; a changed one configures
// that surface anew.
void OutputDone(void* data, wl_output*) {
    auto* output = static_cast<WaylandOutput*>(data);
    const bool first = !output->announced;
    output->announced = true;
    if (first && wayland.window != 0) WaylandCreateSurface(*output);
}

void OutputScale(void*, wl_output*, int32_t) {}
void OutputText(void*, wl_output*, const char*) {}

const wl_output_listener kOutputListener = {OutputGeometry, OutputMode, OutputDone, OutputScale, OutputText, OutputText};

void XdgOutputPosition(void* data, zxdg_output_v1*, int32_t x, int32_t y) {
    auto* output = static_cast<WaylandOutput*>(data);
    output->x = x;
    output->y = y;
}
void XdgOutputSize(void*, zxdg_output_v1*, int32_t, int32_t) {}
void XdgOutputDone(void*, zxdg_output_v1*) {}
void XdgOutputName(void*, zxdg_output_v1*, const char*) {}
void XdgOutputDescription(void*, zxdg_output_v1*, const char*) {}

const zxdg_output_v1_listener kXdgOutputListener = {XdgOutputPosition, XdgOutputSize, XdgOutputDone,
                                                    XdgOutputName, XdgOutputDescription};

void WatchXdgOutput(WaylandOutput& output) {
    if (wayland.xdgOutputManager == nullptr || output.xdgOutput != nullptr) return;
    output.xdgOutput = zxdg_output_manager_v1_get_xdg_output(wayland.xdgOutputManager, output.output);
    zxdg_output_v1_add_listener(output.xdgOutput, &kXdgOutputListener, &output);
}

void WmBasePing(void*, xdg_wm_base* base, uint32_t serial) { xdg_wm_base_pong(base, serial); }
const xdg_wm_base_listener kWmBaseListener = {WmBasePing};

template <typename T>
T* Bind(wl_registry* registry, uint32_t name, const wl_interface* interface, uint32_t offered, uint32_t wanted) {
    return static_cast<T*>(wl_registry_bind(registry, name, interface, std::min(offered, wanted)));
}

void Global(void*, wl_registry* registry, uint32_t name, const char* interface, uint32_t version) {
    if (WaylandLockGlobal(registry, name, interface, version)) return;
    if (std::strcmp(interface, wl_compositor_interface.name) == 0) {
        wayland.compositor = Bind<wl_compositor>(registry, name, &wl_compositor_interface, version, 4);
    } else if (std::strcmp(interface, zwlr_layer_shell_v1_interface.name) == 0) {
        wayland.layerShell = Bind<zwlr_layer_shell_v1>(registry, name, &zwlr_layer_shell_v1_interface, version, 4);
    } else if (std::strcmp(interface, xdg_wm_base_interface.name) == 0) {
        wayland.wmBase = Bind<xdg_wm_base>(registry, name, &xdg_wm_base_interface, version, 2);
        xdg_wm_base_add_listener(wayland.wmBase, &kWmBaseListener, nullptr);
    } else if (std::strcmp(interface, zxdg_output_manager_v1_interface.name) == 0) {
        wayland.xdgOutputManager =
            Bind<zxdg_output_manager_v1>(registry, name, &zxdg_output_manager_v1_interface, version, 2);
        for (auto& output : wayland.outputs) WatchXdgOutput(*output);
    } else if (std::strcmp(interface, wl_seat_interface.name) == 0) {
        // The first seat is the user's; a second one is not ours to watch.
        if (wayland.seat == nullptr) WaylandBindSeat(Bind<wl_seat>(registry, name, &wl_seat_interface, version, 5));
    } else if (std::strcmp(interface, wl_output_interface.name) == 0) {
        auto output = std::make_unique<WaylandOutput>();
        output->name = name;
        // Version 3 brings the release request that GlobalRemove sends; 4 the name and description.
        output->output = Bind<wl_output>(registry, name, &wl_output_interface, version, 4);
        wl_output_add_listener(output->output, &kOutputListener, output.get());
        WatchXdgOutput(*output);
        wayland.outputs.push_back(std::move(output));
    }
}

// An output that goes takes its surface with it; the others go on.
void GlobalRemove(void*, wl_registry*, uint32_t name) {
    for (size_t i = 0; i < wayland.outputs.size(); ++i) {
        WaylandOutput& output = *wayland.outputs[i];
        if (output.name != name) continue;
        WaylandDestroySurface(output);
        if (output.xdgOutput != nullptr) zxdg_output_v1_destroy(output.xdgOutput);
        if (wl_output_get_version(output.output) >= WL_OUTPUT_RELEASE_SINCE_VERSION) {
            wl_output_release(output.output);
        } else {
            wl_output_destroy(output.output);
        }
        if (wayland.pointerOutput == &output) wayland.pointerOutput = nullptr;
        wayland.outputs.erase(wayland.outputs.begin() + static_cast<std::ptrdiff_t>(i));
        // A lock with no output left stays: the next output gets its surface.
        if (wayland.window != 0 && !WaylandHasLiveSurface() && !WaylandSessionLocked()) WaylandWindowGone();
        return;
    }
}

const wl_registry_listener kRegistryListener = {Global, GlobalRemove};

}  // namespace

// Two round trips: the globals, then what the outputs and the seat say about themselves.
bool WaylandConnect() {
    if (wayland.connectionTried) return wayland.display != nullptr;
    wayland.connectionTried = true;
    wayland.display = wl_display_connect(nullptr);
    if (wayland.display == nullptr) {
        const char* name = std::getenv("WAYLAND_DISPLAY");
        PlatformLogError("cannot connect to the Wayland compositor \"%s\"",
                         name != nullptr && *name != '\0' ? name : "wayland-0");
        return false;
    }
    wayland.registry = wl_display_get_registry(wayland.display);
    wl_registry_add_listener(wayland.registry, &kRegistryListener, nullptr);
    wl_display_roundtrip(wayland.display);
    wl_display_roundtrip(wayland.display);
    if (wayland.compositor == nullptr) {
        PlatformLogError("the Wayland compositor offers no wl_compositor");
        wl_display_disconnect(wayland.display);
        wayland.display = nullptr;
        return false;
    }
    return true;
}

WaylandOutput* WaylandFirstOutput() {
    for (auto& output : wayland.outputs) {
        if (output->announced) return output.get();
    }
    return nullptr;
}

// Events are read only when they are there; a lost connection ends the run.
void WaylandPump() {
    wl_display* display = wayland.display;
    if (display == nullptr) return;
    const bool leavePending = wayland.leavePending;
    while (wl_display_prepare_read(display) != 0) wl_display_dispatch_pending(display);
    wl_display_flush(display);
    pollfd descriptor{wl_display_get_fd(display), POLLIN, 0};
    if (poll(&descriptor, 1, 0) > 0 && (descriptor.revents & POLLIN) != 0) {
        wl_display_read_events(display);
    } else {
        wl_display_cancel_read(display);
    }
    wl_display_dispatch_pending(display);
    WaylandSettleKeyboardLeave(leavePending);
    WaylandRepeatKey();
    wl_display_flush(display);
    if (wl_display_get_error(display) != 0 && wayland.window != 0) {
        PlatformLogError("the Wayland compositor closed the connection");
        WaylandWindowGone();
    }
}
