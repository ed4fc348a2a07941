#pragma once

#include <cstdint>

// A GL context drawing into an offscreen buffer of a given size, for tools and tests that
// render without a window. With EGL it needs no display server at all (Mesa's surfaceless
// platform); the GLX build, for systems without EGL, needs an X display. Code drawing to
// GL_BACK behaves as in the saver window; read the back buffer rather than swapping, which
// an offscreen buffer has no use for. Chosen at build time (platform/egl or platform/x11).
// What the context needs to run, in a sentence for a tool's --help.
extern const char* const kOffscreenContextNeeds;

struct OffscreenContext {
    void* display = nullptr;  // EGLDisplay or Display*, kept opaque for the callers
    uintptr_t surface = 0;    // EGLSurface or GLXPbuffer
    void* context = nullptr;  // EGLContext or GLXContext
    int32_t width = 0;
    int32_t height = 0;

    // Makes the context current. On failure, writes nothing itself: the caller gets a
    // message through *error.
    bool open(int32_t width, int32_t height, const char** error);
    void close();
};
