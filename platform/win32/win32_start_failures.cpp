#include "platform/start_failures.h"

const StartFailureTexts kStartFailures = {
    "RegisterClass() failed:  Cannot register window class.",
    "ChoosePixelFormat() failed:  Cannot find a suitable pixel format.",
    "SetPixelFormat() failed:  Cannot set format specified.",
    "wglCreateContext() failed:  Cannot create an OpenGL rendering context.",
    "wglMakeCurrent() failed:  Cannot make the OpenGL rendering context current.",
};
