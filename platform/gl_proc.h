#pragma once

// Address of a GL entry point beyond OpenGL 1.1 (glXGetProcAddress, wglGetProcAddress),
// or null. Only meaningful with a context current, and on Windows only for that context.
// A window-free seam: it names no window system, so render/ may include it.
void* PlatformGetGlProcAddress(const char* name);
