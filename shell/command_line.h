#pragma once

#include <cstdint>

#include "shell/saver_state.h"

struct ParsedCommandLine {
    SaverMode mode = SaverMode::Unset;
    int32_t window = 0;  // host window (Preview), dialog owner (Configure, ChangePassword)
};

// Reads a whole command line, command name first. Pure except for "/c" with no number,
// which asks the platform for the foreground window.
ParsedCommandLine ParseCommandLine(const char* text);
