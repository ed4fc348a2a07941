#pragma once

// What the Wayland platform files share. Only platform/wayland includes this.
#include <EGL/egl.h>
#include <wayland-egl.h>
#include <xkbcommon/xkbcommon.h>

#include <csignal>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/unix/unix_layer.h"
#include "platform/wayland/wayland_options.h"
#include "platform/wayland/wayland_protocols.h"

// One output and the saver's surface on it. Held by pointer: the listeners keep its address.
struct WaylandOutput {
    uint32_t name = 0;  // the registry's name of the wl_output global
    wl_output* output = nullptr;
    zxdg_output_v1* xdgOutput = nullptr;
    bool announced = false;  // its first `done` has come: position and mode are known
    int32_t x = 0;           // position in the compositor's global space
    int32_t y = 0;
    int32_t modeWidth = 0;   // the current mode, in pixels
    int32_t modeHeight = 0;

    // The saver's surface on this output: a layer surface, or a fullscreen toplevel where the
    // compositor has no layer shell.
    wl_surface* surface = nullptr;
    zwlr_layer_surface_v1* layerSurface = nullptr;
    xdg_surface* xdgSurface = nullptr;
    xdg_toplevel* toplevel = nullptr;
    ext_session_lock_surface_v1* lockSurface = nullptr;  // the lock's surface instead (--lock)
    int32_t pendingWidth = 0;  // an xdg_toplevel's size, applied on its xdg_surface's configure
    int32_t pendingHeight = 0;
    bool configured = false;
    int32_t width = 0;  // the size of the last configure, which every commit has
    int32_t height = 0;
    wl_egl_window* eglWindow = nullptr;
    EGLSurface eglSurface = EGL_NO_SURFACE;
    bool drawn = false;  // drawn to since the last swap
    wl_callback* frameCallback = nullptr;  // asked for with the last commit, not yet come
    uint32_t frameAskedTick = 0;
};

struct WaylandState {
    wl_display* display = nullptr;
    bool connectionTried = false;
    wl_registry* registry = nullptr;
    wl_compositor* compositor = nullptr;
    zwlr_layer_shell_v1* layerShell = nullptr;
    xdg_wm_base* wmBase = nullptr;
    zxdg_output_manager_v1* xdgOutputManager = nullptr;
    wl_seat* seat = nullptr;
    std::vector<std::unique_ptr<WaylandOutput>> outputs;

    PlatformWindow window = 0;  // the saver's window (all its surfaces); 0 before and after
    bool hosted = false;        // --layer: the background layer, no input of ours
    int32_t toldWidth = 0;      // the size the window procedure last heard of (surface 0's)
    int32_t toldHeight = 0;
    std::vector<int32_t> toldLayout;  // the sizes of the surfaces when it last heard of them
    WaylandOutput* selected = nullptr;  // the output whose surface GL draws to
    bool frameNews = false;             // a frame callback came since the frame loop last looked

    EGLDisplay eglDisplay = EGL_NO_DISPLAY;
    EGLConfig eglConfig = nullptr;
    EGLContext eglContext = EGL_NO_CONTEXT;
    bool contextCurrent = false;

    // Input.
    wl_keyboard* keyboard = nullptr;
    wl_pointer* pointer = nullptr;
    xkb_context* xkbContext = nullptr;
    xkb_keymap* keymap = nullptr;
    xkb_state* keyState = nullptr;
    bool keyboardFocus = false;
    int32_t repeatRate = 0;       // key repeats a second; 0: none
    int32_t repeatDelayMs = 0;
    uint32_t repeatKey = 0;       // the evdev code of the key that repeats; 0: none
    PlatformMessage repeatMessage;
    uint32_t repeatDueTick = 0;
    bool leavePending = false;  // a keyboard leave, judged once the seat's news is in
    uint32_t pointerSerial = 0;
    WaylandOutput* pointerOutput = nullptr;
    bool pointerKnown = false;  // a first position has come; until then there is no origin
    int32_t originX = 0;        // that first position, in global coordinates
    int32_t originY = 0;
    int32_t pointerX = 0;       // the latest position, in global coordinates
    int32_t pointerY = 0;
    uint32_t heldButtons = 0;   // X's Button1Mask... bits of the buttons held down
};

extern WaylandState wayland;

// The window handle of the saver's window.
constexpr PlatformWindow kWaylandWindow = 0x5751;

// The compositor's connection and globals, made on first use; false when there is none
// (said once).
bool WaylandConnect();
// Reads and dispatches what the compositor has sent, without waiting.
void WaylandPump();
// The outputs that have announced themselves.
WaylandOutput* WaylandFirstOutput();

// The saver's surface on one output, made, and taken down again (EGL's part first).
void WaylandCreateSurface(WaylandOutput& output);
// The compositor's size for the surface (0: the output's own), which every commit has.
void WaylandConfigure(WaylandOutput& output, int32_t width, int32_t height);
void WaylandDestroySurface(WaylandOutput& output);
bool WaylandHasLiveSurface();
// The configured surfaces in the order the shell numbers them: surface n is element n.
std::vector<WaylandOutput*> WaylandLiveSurfaces();
// Ends the run as a destruction would, when the compositor took our surfaces or went away.
void WaylandWindowGone();

// The pacing: a frame callback asked for with the commit a swap makes (and let go of when
// the swap made none, or the surface goes); whether the output's surface may be drawn now.
void WaylandAskForFrame(WaylandOutput& output);
void WaylandForgetFrame(WaylandOutput& output);
bool WaylandMayDraw(const WaylandOutput& output);

// EGL's surface for the output, made on first use once it is configured.
bool WaylandEnsureEglSurface(WaylandOutput& output);
void WaylandDestroyEglSurface(WaylandOutput& output);

// The seat's keyboard and pointer.
void WaylandBindSeat(wl_seat* seat);
// A keyboard leave that was pending before this dispatch, judged now that the seat's news
// is in.
void WaylandSettleKeyboardLeave(bool pendingBefore);
// The held key's repeats that are due, as Windows repeats its key-downs.
void WaylandRepeatKey();

void WaylandQueue(uint32_t message, uintptr_t wParam, intptr_t lParam);
intptr_t WaylandPointParam(int32_t x, int32_t y);
