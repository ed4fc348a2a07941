#pragma once

#include <string>

#include "platform/launch.h"
#include "platform/platform.h"

// The Wayland saver's command line: the shared Linux one (platform/unix/linux_command_line.h)
// with words of its own: --layer, the hosted run on the desktop's background, for lockers;
// --lock, the session's lock screen, and with it -f or --daemonize (the lock goes to the
// background once the session is locked). X11's host words (--root, --window-id,
// --add-to-xscreensaver) and /p name windows a Wayland session does not have: nothing runs,
// and one line says why.

// The pretend host of a --layer run.
constexpr PlatformWindow kWaylandLayerHost = 0x5750;

// The launch the line asks for. Lines about words that were skipped are written to standard
// error as they are read; `failure` keeps the text that launch.failure points to. A line
// that asks for the lock has options.lock set, whether or not it can run; *daemonize says
// whether a lock that runs goes to the background once it holds the session.
PlatformLaunch ReadWaylandLaunch(int argc, const char* const* argv, std::string* failure, bool* daemonize);

// What --help prints on standard output.
extern const char* const kWaylandUsage;
