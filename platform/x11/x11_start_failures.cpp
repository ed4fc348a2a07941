#include "platform/start_failures.h"

// A window class is the process's own record here; it fails only when one is registered.
const StartFailureTexts kStartFailures = {
    "Window class failed:  A window class is registered already.",
    "glXChooseFBConfig() failed:  The X display has no GLX visual for double-buffered RGBA drawing.",
    "glXGetVisualFromFBConfig() failed:  The window was not made with the chosen GLX visual.",
    "glXCreateNewContext() failed:  Cannot create a GLX context.",
    "glXMakeCurrent() failed:  Cannot make the GLX context current.",
};
