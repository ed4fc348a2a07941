#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/launch.h"

// The one command line of both Linux window systems. One Windows-style switch word (/s,
// /p ID, /c[:ID], /a), read as Windows reads it, names the mode; options take one dash or
// two. The shared words are the run options (--mirrors, --no-mirrors, --passes N, --fps),
// which hold for every run, and --help and --version; each window system adds its own words
// in a table of the same form. Every other word is a mistake, said in one line and skipped.
enum class LinuxWordRole : uint8_t {
    Run,      // a run option: the shared ones, or one the window system reads itself
    Task,     // replaces the run wherever it stands (--help, --version, a window system's task)
    Entry,    // a run of the window system's own (a host's window, the session's lock): switch
              // words are then no options
    Foreign,  // another window system's word: nothing runs, and `why` says so
};

struct LinuxWord {
    const char* name;  // without its dashes
    LinuxWordRole role;
    bool takesValue;
    const char* why = nullptr;  // a Foreign word's line, without the prefix
};

// A window system's own word as it stood on the line; `value` is null when it takes none or
// its value is missing, else it points into argv.
struct LinuxWordFound {
    const LinuxWord* word;
    const char* value;
};

struct LinuxCommandLine {
    RunOptions run;
    bool runOptionGiven = false;
    bool help = false;
    bool version = false;
    bool emptyLine = false;  // no argument at all: the settings dialog, as on Windows
    bool entry = false;      // one of the window system's Entry words was given
    const char* foreign = nullptr;  // the first Foreign word's line: nothing runs
    // The first switch word and its number, as a Windows line ("brisalo /p 528"); empty when
    // there was none.
    std::string switchLine;
    std::vector<LinuxWordFound> own;    // the window system's own words, in order
    std::vector<std::string> messages;  // one line each for standard error, without the prefix
};

LinuxCommandLine ParseLinuxCommandLine(int argc, const char* const* argv, const LinuxWord* own, size_t ownCount);

// The launch a line asks for, but for the Entry words, which the window system reads
// itself: help, version and tasks run nothing; a switch line is read as Windows reads it;
// no argument at all is Configure; run options without a run, or a Foreign word, give
// `failure` (which keeps the text that launch.failure points to). `runNeedsMode` says what
// a run is in this window system's words.
PlatformLaunch LaunchFromLinuxLine(const LinuxCommandLine& line, bool task, const char* usage,
                                   const char* runNeedsMode, std::string* failure);
