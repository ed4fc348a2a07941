#pragma once

#include <string>

#include "platform/launch.h"
#include "platform/platform.h"

// The Wayland saver's command line: the shared Linux one (platform/unix/linux_command_line.h)
// with one word of its own, --layer: the hosted run on the desktop's background, for
// lockers. X11's host words (--root, --window-id, --add-to-xscreensaver) and /p name windows
// a Wayland session does not have: nothing runs, and one line says why.

// The pretend host of a --layer run.
constexpr PlatformWindow kWaylandLayerHost = 0x5750;

// The launch the line asks for. Lines about words that were skipped are written to standard
// error as they are read; `failure` keeps the text that launch.failure points to.
PlatformLaunch ReadWaylandLaunch(int argc, const char* const* argv, std::string* failure);

// What --help prints on standard output.
extern const char* const kWaylandUsage;
