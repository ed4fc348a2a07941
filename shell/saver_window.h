#pragma once

#include <cstdint>

#include "platform/platform.h"

// Runs the saver in its window until the window is destroyed: full screen in ScreenSaver
// mode, as a child filling `parent` in Preview mode. Returns when everything it created
// has been released; failures show their message box first.
void RunSaver(PlatformWindow parent, int32_t showCommand);
