#pragma once

#include <EGL/egl.h>

// Whether `display`'s extension string (the client extensions for EGL_NO_DISPLAY) names
// `name` as a whole word.
bool EglHasExtension(EGLDisplay display, const char* name);
