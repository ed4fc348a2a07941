// The offscreen context on EGL's surfaceless platform: a pbuffer on a desktop OpenGL
// (compatibility) context, with no display server. The pbuffer draws to its back buffer,
// which is what the Renderer draws to and the readers read.
#include "platform/offscreen_context.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>

#include "platform/egl/egl_extensions.h"

namespace {

EGLConfig chooseConfig(EGLDisplay display) {
    const EGLint attributes[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,
                                 EGL_RED_SIZE, 8, EGL_GREEN_SIZE, 8, EGL_BLUE_SIZE, 8, EGL_ALPHA_SIZE, 8,
                                 EGL_DEPTH_SIZE, 16, EGL_NONE};
    EGLConfig config = nullptr;
    EGLint count = 0;
    if (!eglChooseConfig(display, attributes, &config, 1, &count) || count < 1) return nullptr;
    return config;
}

}  // namespace

const char* const kOffscreenContextNeeds =
    "Needs no display server: its OpenGL context is on EGL's surfaceless platform, so it runs\n"
    "with neither DISPLAY nor WAYLAND_DISPLAY set.\n";

bool OffscreenContext::open(int32_t w, int32_t h, const char** error) {
    if (!EglHasExtension(EGL_NO_DISPLAY, "EGL_MESA_platform_surfaceless")) {
        *error = "EGL has no surfaceless platform (EGL_MESA_platform_surfaceless)";
        return false;
    }
    const auto getPlatformDisplay =
        reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
    EGLDisplay dpy = getPlatformDisplay != nullptr
                         ? getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr)
                         : EGL_NO_DISPLAY;
    if (dpy == EGL_NO_DISPLAY || !eglInitialize(dpy, nullptr, nullptr)) {
        *error = "cannot initialise EGL's surfaceless platform";
        return false;
    }
    EGLConfig config = eglBindAPI(EGL_OPENGL_API) ? chooseConfig(dpy) : nullptr;
    if (config == nullptr) {
        eglTerminate(dpy);
        *error = "EGL offers no RGBA pbuffer configuration for desktop OpenGL";
        return false;
    }
    const EGLint pbufferAttributes[] = {EGL_WIDTH, w, EGL_HEIGHT, h, EGL_NONE};
    EGLSurface buffer = eglCreatePbufferSurface(dpy, config, pbufferAttributes);
    EGLContext ctx = eglCreateContext(dpy, config, EGL_NO_CONTEXT, nullptr);
    if (buffer == EGL_NO_SURFACE || ctx == EGL_NO_CONTEXT || !eglMakeCurrent(dpy, buffer, buffer, ctx)) {
        if (ctx != EGL_NO_CONTEXT) eglDestroyContext(dpy, ctx);
        if (buffer != EGL_NO_SURFACE) eglDestroySurface(dpy, buffer);
        eglTerminate(dpy);
        *error = "cannot create an OpenGL context on EGL's surfaceless platform";
        return false;
    }
    display = dpy;
    surface = reinterpret_cast<uintptr_t>(buffer);
    context = ctx;
    width = w;
    height = h;
    return true;
}

void OffscreenContext::close() {
    if (display == nullptr) return;
    eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    eglDestroyContext(display, context);
    eglDestroySurface(display, reinterpret_cast<EGLSurface>(surface));
    eglTerminate(display);
    display = nullptr;
    context = nullptr;
    surface = 0;
}
