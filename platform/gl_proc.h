#pragma once

// Address of a GL entry point beyond OpenGL 1.1 (glXGetProcAddress, wglGetProcAddress),
// or null. Only meaningful with a context current.
void* PlatformGetGlProcAddress(const char* name);
