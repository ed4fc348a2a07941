#pragma once

#include <cstdint>

// What a host may ask of a run beyond its mode; the defaults change nothing.
struct RunOptions {
    int32_t useMirrors = -1;  // 0 or 1 in place of the setting for this run; -1: the setting
    int32_t passCount = 0;    // the number of passes to start with; 0: the Renderer's own
    bool showFps = false;     // the measured frame rate on standard error every few seconds
    bool lock = false;        // the run is the session's lock: after the grace period only the password ends it
};

// The one thing a process was started to do. Each window system reads its own command line
// into this record; the shell acts on it and never sees that grammar.
enum class LaunchMode : uint8_t { Nothing, Configure, ChangePassword, Preview, ScreenSaver };

struct PlatformLaunch {
    LaunchMode mode = LaunchMode::Nothing;
    uintptr_t window = 0;  // host window (Preview), dialog owner (Configure, ChangePassword)
    RunOptions options;
    bool help = false;         // write `usage` to standard output
    bool version = false;      // write the version line to standard output
    const char* usage = "";    // this window system's --help text
    // Why nothing runs, as one line for standard error without the prefix; null when nothing
    // is wrong. Lines that only warn were written while reading.
    const char* failure = nullptr;
    bool done = false;     // the layer did a task of its own while reading the line
    int32_t exitCode = 0;  // that task's exit status
};
