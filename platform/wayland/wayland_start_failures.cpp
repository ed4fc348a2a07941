#include "platform/start_failures.h"

// A window class is the process's own record here; it fails only when one is registered.
const StartFailureTexts kStartFailures = {
    "Window class failed:  A window class is registered already.",
    "eglChooseConfig() failed:  EGL on the Wayland connection has no configuration for desktop OpenGL windows.",
    "Pixel format failed:  The EGL configuration was not the one chosen.",
    "eglCreateContext() failed:  Cannot create a desktop OpenGL context.",
    "eglMakeCurrent() failed:  Cannot make the OpenGL context current.",
};
