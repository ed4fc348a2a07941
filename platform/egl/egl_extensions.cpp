#include "platform/egl/egl_extensions.h"

#include <cstring>

bool EglHasExtension(EGLDisplay display, const char* name) {
    const char* all = eglQueryString(display, EGL_EXTENSIONS);
    if (all == nullptr) {
        eglGetError();  // EGL 1.4 without client extensions: EGL_BAD_DISPLAY, not ours to keep
        return false;
    }
    const size_t length = std::strlen(name);
    for (const char* at = std::strstr(all, name); at != nullptr; at = std::strstr(at + 1, name)) {
        if ((at == all || at[-1] == ' ') && (at[length] == ' ' || at[length] == '\0')) return true;
    }
    return false;
}
