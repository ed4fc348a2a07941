#include "platform/offscreen_context.h"

#include <GL/glx.h>
#include <X11/Xlib.h>
#include <unistd.h>

#include <cstdlib>

const char* const kOffscreenContextNeeds =
    "Needs an X display (DISPLAY) for its offscreen OpenGL context, a GLX pbuffer: run it under\n"
    "xvfb-run on a machine without one.\n";

namespace {

GLXFBConfig chooseConfig(Display* display, bool doubleBuffered) {
    const int attributes[] = {
        GLX_DRAWABLE_TYPE, GLX_PBUFFER_BIT,
        GLX_RENDER_TYPE, GLX_RGBA_BIT,
        GLX_RED_SIZE, 8, GLX_GREEN_SIZE, 8, GLX_BLUE_SIZE, 8, GLX_ALPHA_SIZE, 8,
        GLX_DEPTH_SIZE, 16,
        GLX_DOUBLEBUFFER, doubleBuffered ? True : False,
        None};
    int count = 0;
    GLXFBConfig* configs = glXChooseFBConfig(display, DefaultScreen(display), attributes, &count);
    if (configs == nullptr) return nullptr;
    GLXFBConfig chosen = count > 0 ? configs[0] : nullptr;
    XFree(configs);
    return chosen;
}

}  // namespace

bool OffscreenContext::open(int32_t w, int32_t h, const char** error) {
    // A busy Xvfb now and then refuses a connection that it accepts a moment later.
    Display* dpy = XOpenDisplay(nullptr);
    for (int attempt = 0; dpy == nullptr && attempt < 20 && std::getenv("DISPLAY") != nullptr &&
                          *std::getenv("DISPLAY") != '\0';
         ++attempt) {
        usleep(50000);
        dpy = XOpenDisplay(nullptr);
    }
    if (dpy == nullptr) {
        *error = "cannot open the X display (is DISPLAY set?)";
        return false;
    }
    GLXFBConfig config = chooseConfig(dpy, true);
    if (config == nullptr) config = chooseConfig(dpy, false);
    if (config == nullptr) {
        XCloseDisplay(dpy);
        *error = "the X display offers no RGBA pbuffer configuration";
        return false;
    }
    const int pbufferAttributes[] = {GLX_PBUFFER_WIDTH, w, GLX_PBUFFER_HEIGHT, h, None};
    GLXPbuffer buffer = glXCreatePbuffer(dpy, config, pbufferAttributes);
    GLXContext ctx = glXCreateNewContext(dpy, config, GLX_RGBA_TYPE, nullptr, True);
    if (buffer == 0 || ctx == nullptr || !glXMakeContextCurrent(dpy, buffer, buffer, ctx)) {
        if (ctx != nullptr) glXDestroyContext(dpy, ctx);
        if (buffer != 0) glXDestroyPbuffer(dpy, buffer);
        XCloseDisplay(dpy);
        *error = "cannot create an OpenGL context on the X display";
        return false;
    }
    display = dpy;
    surface = buffer;
    context = ctx;
    width = w;
    height = h;
    return true;
}

void OffscreenContext::close() {
    if (display == nullptr) return;
    Display* dpy = static_cast<Display*>(display);
    glXMakeContextCurrent(dpy, None, None, nullptr);
    glXDestroyContext(dpy, static_cast<GLXContext>(context));
    glXDestroyPbuffer(dpy, static_cast<GLXPbuffer>(surface));
    XCloseDisplay(dpy);
    display = nullptr;
    context = nullptr;
    surface = 0;
}
