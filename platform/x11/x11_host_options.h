#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The screen-saver host convention of X11 desktops: `-root` or `-window-id ID` (one dash or
// two) ask for a hosted run in a window the host owns, with a few options of our own.
// Recognised before the Windows-style grammar; a line without either keeps its old meaning.
struct HostOptions {
    bool hosted = false;        // -root or -window-id was given
    bool windowIdGiven = false;
    bool windowIdBad = false;   // given without a usable id: the run ends
    uint32_t windowId = 0;
    int32_t useMirrors = -1;    // -1: as the settings say
    int32_t passCount = 0;      // 0: the Renderer's own start
    bool showFps = false;
    bool help = false;
    bool version = false;
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

// A window id as hosts write it: decimal, or hexadecimal after 0x or 0X; never 0, and
// within the 31 bits X gives out.
bool ParseWindowId(const char* text, uint32_t* window);

// What --help prints on standard output.
extern const char* const kHostUsage;
