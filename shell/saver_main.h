#pragma once

#include <cstdint>

#include "platform/platform.h"

// The entry: takes the launch the platform read from its command line, reads the settings
// and runs the one mode it asks for. Returns the process's exit code: 0 for every mode, 1
// when --help or --version could not be written (or the exit code of a task the platform
// did itself), and 1 when the line asked for the session lock and it did not end by unlocking.
int SaverMain(PlatformInstance instance, int32_t showCommand);
