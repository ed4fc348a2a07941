#include "platform/gl_proc.h"

#include <GL/glx.h>

void* PlatformGetGlProcAddress(const char* name) {
    return reinterpret_cast<void*>(glXGetProcAddressARB(reinterpret_cast<const GLubyte*>(name)));
}
