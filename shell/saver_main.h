#pragma once

#include <cstdint>

#include "platform/platform.h"

// The entry: parses the platform's command line, reads the settings and runs the one mode
// that the command line asks for. Always returns 0, the process's exit code.
int SaverMain(PlatformInstance instance, int32_t showCommand);
