#pragma once

#include "platform/launch.h"

// Windows' screen-saver grammar (/s, /p ID, /c[:ID], /a ID, one dash or slash, the first
// letter deciding) read from a whole command line, command name first, as GetCommandLineA
// gives it. Pure except for "/c" with no number, which asks the platform for the
// foreground window.
PlatformLaunch ReadWindowsCommandLine(const char* text);
