// Pixel formats and OpenGL contexts on X11 through GLX. The device of a window is the
// window itself; a pixel format is a framebuffer configuration, numbered from 1.
#include <X11/Xutil.h>

#include <vector>

#include "platform/x11/x11_error_trap.h"
#include "platform/x11/x11_state.h"
#include "platform/messages.h"

// A visual of the screen's own depth: a 32-bit one would be blended with what lies beneath
// by a compositing manager wherever the drawing leaves alpha below one.
GLXFBConfig X11ChooseConfig(Display* display, bool wantAlpha) {
    const int attributes[] = {GLX_X_RENDERABLE, True, GLX_DRAWABLE_TYPE, GLX_WINDOW_BIT,
                              GLX_RENDER_TYPE, GLX_RGBA_BIT, GLX_DOUBLEBUFFER, True,
                              GLX_RED_SIZE, 8, GLX_GREEN_SIZE, 8, GLX_BLUE_SIZE, 8,
                              GLX_ALPHA_SIZE, wantAlpha ? 8 : 0, None};
    const int screen = DefaultScreen(display);
    int count = 0;
    GLXFBConfig* configs = glXChooseFBConfig(display, screen, attributes, &count);
    if (configs == nullptr) return nullptr;
    GLXFBConfig best = nullptr;
    GLXFBConfig fallback = nullptr;
    for (int i = 0; i < count && best == nullptr; ++i) {
        XVisualInfo* info = glXGetVisualFromFBConfig(display, configs[i]);
        if (info == nullptr) continue;
        if (fallback == nullptr) fallback = configs[i];
        if (info->depth == DefaultDepth(display, screen) && info->c_class == TrueColor) best = configs[i];
        XFree(info);
    }
    XFree(configs);
    return best != nullptr ? best : fallback;
}

PlatformDevice PlatformGetDevice(PlatformWindow window) { return window; }

int32_t PlatformChoosePixelFormat(PlatformDevice device, const PixelFormatRequest& request) {
    if (x11.display == nullptr || device == 0) return 0;
    const bool rgba = request.pixelType == PFD_TYPE_RGBA && (request.flags & PFD_SUPPORT_OPENGL) != 0;
    if (!rgba) return 0;
    GLXFBConfig config = X11ChooseConfig(x11.display, request.colorBits >= 32);
    if (config == nullptr) config = X11ChooseConfig(x11.display, false);
    if (config == nullptr) return 0;
    x11.chosenConfigs.push_back(config);
    return static_cast<int32_t>(x11.chosenConfigs.size());
}

// The window's visual was fixed at creation; the format can only be set when it matches.
bool PlatformSetPixelFormat(PlatformDevice device, int32_t format, const PixelFormatRequest&) {
    if (x11.display == nullptr || format < 1 || static_cast<size_t>(format) > x11.chosenConfigs.size()) return false;
    XVisualInfo* info = glXGetVisualFromFBConfig(x11.display, x11.chosenConfigs[static_cast<size_t>(format) - 1]);
    if (info == nullptr) return false;
    const VisualID wanted = info->visualid;
    XFree(info);
    X11ErrorTrap trap(x11.display);
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(x11.display, static_cast<Window>(device), &attributes) || trap.failed()) return false;
    if (XVisualIDFromVisual(attributes.visual) != wanted) return false;
    x11.windowConfig = x11.chosenConfigs[static_cast<size_t>(format) - 1];
    return true;
}

PlatformGlContext PlatformCreateGlContext(PlatformDevice) {
    if (x11.display == nullptr || x11.windowConfig == nullptr) return 0;
    X11ErrorTrap trap(x11.display);
    GLXContext context = glXCreateNewContext(x11.display, x11.windowConfig, GLX_RGBA_TYPE, nullptr, True);
    if (context != nullptr && trap.failed()) {
        glXDestroyContext(x11.display, context);
        return 0;
    }
    return reinterpret_cast<PlatformGlContext>(context);
}

bool PlatformMakeCurrent(PlatformDevice device, PlatformGlContext context) {
    if (x11.display == nullptr) return false;
    X11ErrorTrap trap(x11.display);
    const Bool made = context == 0 ? glXMakeCurrent(x11.display, None, nullptr)
                                   : glXMakeCurrent(x11.display, static_cast<GLXDrawable>(device),
                                                    reinterpret_cast<GLXContext>(context));
    return made && !trap.failed();
}

// Errors of a window that its host has just destroyed are caught by the process's handler.
// An X window is one drawable, monitors and all.
bool PlatformSelectSurface(PlatformDevice, int32_t) { return true; }

void PlatformSwapBuffers(PlatformDevice device) {
    if (x11.display == nullptr || x11.window == 0) return;
    glXSwapBuffers(x11.display, static_cast<GLXDrawable>(device));
}

void PlatformReleaseDevice(PlatformWindow, PlatformDevice) {}

void PlatformDeleteGlContext(PlatformGlContext context) {
    if (x11.display == nullptr || context == 0) return;
    glXDestroyContext(x11.display, reinterpret_cast<GLXContext>(context));
    XSync(x11.display, False);
}
