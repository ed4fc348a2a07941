#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/launch.h"

// The Wayland saver's command line: the Windows-style switches (/s, /c, /p ID, /a) as on
// every platform, and options of its own, one dash or two: --layer (the hosted run on the
// desktop's background, for lockers), --lock (the session's lock screen) and with it
// --daemonize or -f (the lock goes to the background once the session is locked), and the
// run options --mirrors, --no-mirrors, --passes N and --fps, which hold with /s and --layer alike.
struct WaylandOptions {
    bool layer = false;
    bool daemonize = false;  // only with --lock
    RunOptions run;
    bool help = false;
    bool version = false;
    bool x11Only = false;                // --root or --window-id: an X11 host's option
    std::vector<std::string> switches;   // every other word, in order, for the shell's parser
    std::vector<std::string> messages;   // one line each for standard error, without the prefix
};

WaylandOptions ParseWaylandOptions(int argc, const char* const* argv);

// What --help prints on standard output.
extern const char* const kWaylandUsage;
