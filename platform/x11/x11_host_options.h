#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/launch.h"
#include "platform/unix/linux_command_line.h"

// The X11 command line: the shared Linux one (platform/unix/linux_command_line.h) with the
// screen-saver host convention of X11 desktops: `-root` or `-window-id ID` ask for a hosted
// run in a window the host owns, and --add-to-xscreensaver is a task of its own.
struct HostOptions {
    LinuxCommandLine line;
    bool hosted = false;        // -root or -window-id was given
    bool windowIdGiven = false;
    bool windowIdBad = false;   // given without a usable id: the run ends
    uint32_t windowId = 0;
    bool addToXScreenSaver = false;
};

HostOptions ParseHostOptions(int argc, const char* const* argv);

// Where a hosted run draws: the -window-id window, else the one the host names in
// XSCREENSAVER_WINDOW (environmentWindow, null when unset), else the root window.
struct HostTarget {
    enum Kind { Window, Root, Bad } kind = Root;
    uint32_t window = 0;
    std::string message;  // why it is Bad, unless the option's own message said so
};

HostTarget ChooseHostTarget(const HostOptions& options, const char* environmentWindow);

// The launch the line asks for. A hosted run on the root window comes back as a Preview
// of window 0 with *onRoot set: only the caller has a display to ask for the root.
// `failure` keeps the text that launch.failure points to.
PlatformLaunch LaunchFromHostOptions(const HostOptions& options, const char* environmentWindow, bool* onRoot,
                                     std::string* failure);

// A window id as hosts write it: decimal, or hexadecimal after 0x or 0X; never 0, and
// within the 31 bits X gives out.
bool ParseWindowId(const char* text, uint32_t* window);

// What --help prints on standard output.
extern const char* const kHostUsage;
