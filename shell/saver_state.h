#pragma once

#include <cstdint>

#include "platform/platform.h"

// The one mode a process serves, chosen by its command line.
enum class SaverMode : int32_t {
    Unset = 0,
    Configure = 1,
    ChangePassword = 2,
    Preview = 3,
    ScreenSaver = 4,
};

struct SaverSettings;

// Process-wide state of the shell; currentRenderer lives with the Renderer.
extern SaverMode currentMode;
extern PlatformInstance moduleInstance;
extern SaverSettings* settings;
extern PlatformWindow saverWindow;
