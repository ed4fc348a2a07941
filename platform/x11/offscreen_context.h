#pragma once

#include <cstdint>

// A GLX context drawing into an offscreen pbuffer of a given size, for tools and tests
// that render without a window. Double-buffered where the server offers it, so that
// code drawing to GL_BACK behaves as in the saver window; read the back buffer rather
// than swapping, which a pbuffer has no use for (and some servers reject).
struct OffscreenContext {
    void* display = nullptr;  // Display*, kept opaque so that callers need no X11 header
    unsigned long pbuffer = 0;
    void* context = nullptr;  // GLXContext
    int32_t width = 0;
    int32_t height = 0;
    bool doubleBuffered = false;

    // Opens the display named by DISPLAY and makes the context current. On failure,
    // writes nothing itself: the caller gets a message through *error.
    bool open(int32_t width, int32_t height, const char** error);
    void close();
};
