#include "platform/gl_proc.h"

#include <EGL/egl.h>

void* PlatformGetGlProcAddress(const char* name) { return reinterpret_cast<void*>(eglGetProcAddress(name)); }
