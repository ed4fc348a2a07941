// OpenGL on the saver's surfaces through EGL on the compositor's connection: one context,
// one wl_egl_window and EGL surface per output. The device of the window is the window; a
// pixel format is the one EGL configuration, numbered 1.
#include <EGL/egl.h>
#include <EGL/eglext.h>

#include <vector>

#include "platform/egl/egl_extensions.h"
#include "platform/log.h"
#include "platform/messages.h"
#include "platform/wayland/wayland_state.h"

namespace {

bool InitialiseEgl() {
    if (wayland.eglDisplay != EGL_NO_DISPLAY) return true;
    if (wayland.display == nullptr) return false;
    const auto getPlatformDisplay =
        reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
    EGLDisplay display = getPlatformDisplay != nullptr && EglHasExtension(EGL_NO_DISPLAY, "EGL_EXT_platform_wayland")
                             ? getPlatformDisplay(EGL_PLATFORM_WAYLAND_EXT, wayland.display, nullptr)
                             : eglGetDisplay(reinterpret_cast<EGLNativeDisplayType>(wayland.display));
    if (display == EGL_NO_DISPLAY || !eglInitialize(display, nullptr, nullptr)) {
        PlatformLogError("cannot initialise EGL on the Wayland connection");
        return false;
    }
    wayland.eglDisplay = display;
    return true;
}

// The surface GL draws to, or none: a context with no surface (EGL_KHR_surfaceless_context)
// keeps the Renderer's textures while the outputs come and go.
bool MakeCurrent(WaylandOutput* output) {
    if (wayland.eglContext == EGL_NO_CONTEXT) return false;
    EGLSurface surface = output != nullptr && WaylandEnsureEglSurface(*output) ? output->eglSurface : EGL_NO_SURFACE;
    if (!eglMakeCurrent(wayland.eglDisplay, surface, surface, wayland.eglContext)) return false;
    wayland.contextCurrent = true;
    wayland.selected = surface != EGL_NO_SURFACE ? output : nullptr;
    if (wayland.selected != nullptr) {
        wayland.selected->drawn = true;
        // Swaps never wait: the frame callbacks pace each surface on its own, and a hidden
        // output's would stall every other one.
        eglSwapInterval(wayland.eglDisplay, 0);
    }
    return true;
}

}  // namespace

bool WaylandEnsureEglSurface(WaylandOutput& output) {
    if (output.eglSurface != EGL_NO_SURFACE) return true;
    if (!output.configured || output.surface == nullptr || wayland.eglConfig == nullptr) return false;
    output.eglWindow = wl_egl_window_create(output.surface, output.width, output.height);
    if (output.eglWindow == nullptr) return false;
    output.eglSurface = eglCreateWindowSurface(wayland.eglDisplay, wayland.eglConfig,
                                               reinterpret_cast<EGLNativeWindowType>(output.eglWindow), nullptr);
    if (output.eglSurface == EGL_NO_SURFACE) {
        wl_egl_window_destroy(output.eglWindow);
        output.eglWindow = nullptr;
        return false;
    }
    return true;
}

// EGL lets go of the surface before the window under it goes.
void WaylandDestroyEglSurface(WaylandOutput& output) {
    if (output.eglSurface != EGL_NO_SURFACE) {
        if (wayland.contextCurrent && eglGetCurrentSurface(EGL_DRAW) == output.eglSurface) {
            eglMakeCurrent(wayland.eglDisplay, EGL_NO_SURFACE, EGL_NO_SURFACE, wayland.eglContext);
            wayland.selected = nullptr;
        }
        eglDestroySurface(wayland.eglDisplay, output.eglSurface);
        output.eglSurface = EGL_NO_SURFACE;
    }
    if (output.eglWindow != nullptr) {
        wl_egl_window_destroy(output.eglWindow);
        output.eglWindow = nullptr;
    }
}

PlatformDevice PlatformGetDevice(PlatformWindow window) { return window; }

// Opaque RGB: the surfaces say they are opaque, and no drawing reads destination alpha.
// No depth buffer, as the X11 window gets: every pass draws with the depth test off, and
// clearing a 16-bit one cost software GL 2 ms a frame at 1920x1080.
int32_t PlatformChoosePixelFormat(PlatformDevice device, const PixelFormatRequest& request) {
    if (device == 0 || device != wayland.window || !InitialiseEgl()) return 0;
    const bool rgba = request.pixelType == PFD_TYPE_RGBA && (request.flags & PFD_SUPPORT_OPENGL) != 0;
    if (!rgba || !eglBindAPI(EGL_OPENGL_API)) return 0;
    const EGLint attributes[] = {EGL_SURFACE_TYPE, EGL_WINDOW_BIT, EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,
                                 EGL_RED_SIZE, 8, EGL_GREEN_SIZE, 8, EGL_BLUE_SIZE, 8, EGL_ALPHA_SIZE, 0,
                                 EGL_DEPTH_SIZE, 0, EGL_NONE};
    EGLConfig config = nullptr;
    EGLint count = 0;
    if (!eglChooseConfig(wayland.eglDisplay, attributes, &config, 1, &count) || count < 1) return 0;
    wayland.eglConfig = config;
    return 1;
}

bool PlatformSetPixelFormat(PlatformDevice device, int32_t format, const PixelFormatRequest&) {
    return device == wayland.window && format == 1 && wayland.eglConfig != nullptr;
}

PlatformGlContext PlatformCreateGlContext(PlatformDevice device) {
    if (device != wayland.window || wayland.eglConfig == nullptr) return 0;
    EGLContext context = eglCreateContext(wayland.eglDisplay, wayland.eglConfig, EGL_NO_CONTEXT, nullptr);
    if (context == EGL_NO_CONTEXT) return 0;
    wayland.eglContext = context;
    return reinterpret_cast<PlatformGlContext>(context);
}

bool PlatformMakeCurrent(PlatformDevice device, PlatformGlContext context) {
    if (wayland.eglDisplay == EGL_NO_DISPLAY) return false;
    if (context == 0) {
        wayland.contextCurrent = false;
        wayland.selected = nullptr;
        return eglMakeCurrent(wayland.eglDisplay, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT) == EGL_TRUE;
    }
    if (device != wayland.window || reinterpret_cast<EGLContext>(context) != wayland.eglContext) return false;
    std::vector<WaylandOutput*> surfaces = WaylandLiveSurfaces();
    return MakeCurrent(surfaces.empty() ? nullptr : surfaces[0]);
}

// Surface n is the n-th output, in the order PlatformGetMonitors gave them; one that waits
// for its frame callback is not drawn.
bool PlatformSelectSurface(PlatformDevice device, int32_t surface) {
    if (device == 0 || device != wayland.window || !wayland.contextCurrent) return false;
    std::vector<WaylandOutput*> surfaces = WaylandLiveSurfaces();
    if (surface < 0 || static_cast<size_t>(surface) >= surfaces.size()) return false;
    WaylandOutput* output = surfaces[static_cast<size_t>(surface)];
    if (!WaylandMayDraw(*output)) return false;
    if (output != wayland.selected) MakeCurrent(output);
    if (output != wayland.selected) return false;
    output->drawn = true;
    return true;
}

// Every surface drawn since the last swap is committed, each at its configured size, with
// a frame callback asked for.
void PlatformSwapBuffers(PlatformDevice device) {
    if (device == 0 || device != wayland.window || !wayland.contextCurrent) return;
    WaylandOutput* selected = wayland.selected;
    for (auto& output : wayland.outputs) {
        if (!output->drawn || output->eglSurface == EGL_NO_SURFACE) continue;
        if (output.get() != wayland.selected) MakeCurrent(output.get());
        WaylandAskForFrame(*output);
        // No commit, no callback: the request would wait for the next one.
        if (!eglSwapBuffers(wayland.eglDisplay, output->eglSurface)) WaylandForgetFrame(*output);
        output->drawn = false;
    }
    if (selected != wayland.selected) MakeCurrent(selected);
    for (auto& output : wayland.outputs) output->drawn = false;
}

void PlatformReleaseDevice(PlatformWindow, PlatformDevice) {}

void PlatformDeleteGlContext(PlatformGlContext context) {
    if (wayland.eglDisplay == EGL_NO_DISPLAY || context == 0) return;
    for (auto& output : wayland.outputs) WaylandDestroyEglSurface(*output);
    eglDestroyContext(wayland.eglDisplay, reinterpret_cast<EGLContext>(context));
    wayland.eglContext = EGL_NO_CONTEXT;
}
