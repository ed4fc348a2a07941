#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/launch.h"

// The X11 command line. The screen-saver host convention of X11 desktops: `-root` or
// `-window-id ID` (one dash or two) ask for a hosted run in a window the host owns. Without
// either, one Windows-style switch word (/s, /p ID, /c[:ID], /a) names the mode, read as
// Windows reads it. The run options hold for either kind of run. Every other word is a
// mistake, said in one line and skipped.
struct HostOptions {
    bool hosted = false;        // -root or -window-id was given
    bool windowIdGiven = false;
    bool windowIdBad = false;   // given without a usable id: the run ends
    uint32_t windowId = 0;
    RunOptions run;
    bool runOptionGiven = false;
    bool help = false;
    bool version = false;
    bool addToXScreenSaver = false;
    bool lock = false;  // --lock: a Wayland session's task; here it is only answered
    bool emptyLine = false;  // no argument at all: the settings dialog, as on Windows
    // The first switch word and its number, as a Windows line ("brisalo /p 528"); empty
    // when there was none.
    std::string switchLine;
    std::vector<std::string> messages;  // one line each for standard error, without the prefix
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
