#include "shell/saver_state.h"

SaverMode currentMode = SaverMode::Unset;
PlatformInstance moduleInstance = 0;
SaverSettings* settings = nullptr;
PlatformWindow saverWindow = 0;
