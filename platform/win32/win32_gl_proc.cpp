#include <windows.h>

#include <cstdint>

#include "platform/gl_proc.h"

// The address belongs to the context current at the call: fetch again for another one.
// Some drivers answer 1, 2, 3 or -1 instead of null for a name they lack.
void* PlatformGetGlProcAddress(const char* name) {
    PROC proc = wglGetProcAddress(name);
    const intptr_t value = reinterpret_cast<intptr_t>(proc);
    if (value == 0 || value == 1 || value == 2 || value == 3 || value == -1) return nullptr;
    return reinterpret_cast<void*>(proc);
}
