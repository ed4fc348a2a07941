#include "platform/x11/x11_host_options.h"

#include <cstring>

#include "platform/windows_command_line.h"

namespace {

constexpr int32_t kFewestPasses = 1;
constexpr int32_t kMostPasses = 10;

// Each option with its value, if it takes one; `apply` gets null when the value is missing.
struct HostOption {
    const char* name;
    bool takesValue;
    void (*apply)(HostOptions& options, const char* value);
};

void ApplyWindowId(HostOptions& options, const char* value) {
    options.windowIdGiven = true;
    if (value != nullptr && ParseWindowId(value, &options.windowId)) return;
    options.windowIdBad = true;
    options.messages.push_back(value == nullptr
                                   ? std::string("--window-id needs a window id (decimal, or hexadecimal after 0x)")
                                   : "--window-id: \"" + std::string(value) +
                                         "\" is not a window id (decimal, or hexadecimal after 0x)");
}

bool ParseSmallNumber(const char* text, int32_t lowest, int32_t highest, int32_t* number) {
    if (text == nullptr || *text == '\0' || std::strlen(text) > 2) return false;
    int32_t value = 0;
    for (const char* c = text; *c != '\0'; ++c) {
        if (*c < '0' || *c > '9') return false;
        value = value * 10 + (*c - '0');
    }
    if (value < lowest || value > highest) return false;
    *number = value;
    return true;
}

void ApplyPasses(HostOptions& options, const char* value) {
    options.runOptionGiven = true;
    if (ParseSmallNumber(value, kFewestPasses, kMostPasses, &options.run.passCount)) return;
    options.run.passCount = 0;
    options.messages.push_back("--passes takes a number from 1 to 10, not " +
                               (value == nullptr ? std::string("nothing") : "\"" + std::string(value) + "\"") +
                               "; starting with the default");
}

const HostOption kOptions[] = {
    {"root", false, [](HostOptions& o, const char*) { o.hosted = true; }},
    {"window-id", true, [](HostOptions& o, const char* v) { o.hosted = true; ApplyWindowId(o, v); }},
    {"mirrors", false, [](HostOptions& o, const char*) { o.run.useMirrors = 1; o.runOptionGiven = true; }},
    {"no-mirrors", false, [](HostOptions& o, const char*) { o.run.useMirrors = 0; o.runOptionGiven = true; }},
    {"passes", true, ApplyPasses},
    {"fps", false, [](HostOptions& o, const char*) { o.run.showFps = true; o.runOptionGiven = true; }},
    {"help", false, [](HostOptions& o, const char*) { o.help = true; }},
    {"version", false, [](HostOptions& o, const char*) { o.version = true; }},
    {"add-to-xscreensaver", false, [](HostOptions& o, const char*) { o.addToXScreenSaver = true; }},
    {"lock", false, [](HostOptions& o, const char*) { o.lock = true; }},
};

// "-name" and "--name" are the same option.
const HostOption* FindOption(const char* word) {
    if (word[0] != '-') return nullptr;
    const char* name = word[1] == '-' ? word + 2 : word + 1;
    for (const HostOption& known : kOptions) {
        if (std::strcmp(name, known.name) == 0) return &known;
    }
    return nullptr;
}

bool IsEntry(const HostOption* known) {
    return known != nullptr && (std::strcmp(known->name, "root") == 0 || std::strcmp(known->name, "window-id") == 0);
}

// Words that replace the run with something else, wherever they stand.
bool IsTask(const HostOption* known) {
    return known != nullptr && (std::strcmp(known->name, "help") == 0 || std::strcmp(known->name, "version") == 0 ||
                                std::strcmp(known->name, "add-to-xscreensaver") == 0 ||
                                std::strcmp(known->name, "lock") == 0);
}

bool IsNumberWord(const char* word) {
    if (*word == '+' || *word == '-') ++word;
    if (*word == '\0') return false;
    for (; *word != '\0'; ++word) {
        if (*word < '0' || *word > '9') return false;
    }
    return true;
}

// A switch as Windows' hosts write it: a slash or a dash, a mode letter, then nothing, a
// colon, a number or both. Longer words ("-passes", "/screen") are not switches here.
bool IsSwitchWord(const char* word) {
    if ((word[0] != '/' && word[0] != '-') || word[1] == '\0' || std::strchr("sSpPlLcCaA", word[1]) == nullptr) {
        return false;
    }
    const char* rest = word[2] == ':' ? word + 3 : word + 2;
    return *rest == '\0' || IsNumberWord(rest);
}

// "/p" or "/c:" waits for its number in the next word; "/s" takes one as Windows does, and
// ignores it.
bool AwaitsNumber(const char* word) { return word[2] == '\0' || (word[2] == ':' && word[3] == '\0'); }

void Ignore(HostOptions& options, const char* word, const char* why) {
    options.messages.push_back("ignoring \"" + std::string(word) + "\": " + why + " (see --help)");
}

}  // namespace

bool ParseWindowId(const char* text, uint32_t* window) {
    if (text == nullptr) return false;
    const bool hex = text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const char* digits = hex ? text + 2 : text;
    if (*digits == '\0') return false;
    uint64_t value = 0;
    for (const char* c = digits; *c != '\0'; ++c) {
        int digit = -1;
        if (*c >= '0' && *c <= '9') digit = *c - '0';
        if (hex && *c >= 'a' && *c <= 'f') digit = *c - 'a' + 10;
        if (hex && *c >= 'A' && *c <= 'F') digit = *c - 'A' + 10;
        if (digit < 0) return false;
        value = value * (hex ? 16 : 10) + static_cast<uint64_t>(digit);
        if (value > 0x7FFFFFFF) return false;
    }
    if (value == 0) return false;
    *window = static_cast<uint32_t>(value);
    return true;
}

HostOptions ParseHostOptions(int argc, const char* const* argv) {
    HostOptions options;
    options.emptyLine = argc <= 1;
    bool entry = false;
    for (int i = 1; i < argc; ++i) {
        const HostOption* known = FindOption(argv[i]);
        entry = entry || IsEntry(known);
        if (IsTask(known)) known->apply(options, nullptr);
    }
    if (options.help || options.version || options.addToXScreenSaver || options.lock) return options;

    for (int i = 1; i < argc; ++i) {
        const char* word = argv[i];
        const HostOption* known = FindOption(word);
        if (known == nullptr && IsSwitchWord(word)) {
            if (entry) {
                Ignore(options, word, "not an option");
            } else if (!options.switchLine.empty()) {
                Ignore(options, word, "a run has one mode");
            } else {
                options.switchLine = std::string("brisalo ") + word;
                if (AwaitsNumber(word) && i + 1 < argc && IsNumberWord(argv[i + 1])) {
                    options.switchLine += std::string(" ") + argv[++i];
                }
            }
            continue;
        }
        if (known == nullptr) {
            Ignore(options, word, "not an option");
            continue;
        }
        // An option word is never taken as the value of the one before it.
        const char* value = nullptr;
        if (known->takesValue && i + 1 < argc && FindOption(argv[i + 1]) == nullptr) value = argv[++i];
        known->apply(options, value);
    }
    return options;
}

PlatformLaunch LaunchFromHostOptions(const HostOptions& options, const char* environmentWindow, bool* onRoot,
                                     std::string* failure) {
    *onRoot = false;
    PlatformLaunch launch;
    if (!options.switchLine.empty() && !options.hosted) launch = ReadWindowsCommandLine(options.switchLine.c_str());
    launch.usage = kHostUsage;
    launch.help = options.help;
    launch.version = options.version;
    if (options.help || options.version || options.addToXScreenSaver || options.lock) {
        launch.mode = LaunchMode::Nothing;
        return launch;
    }
    launch.options = options.run;

    if (options.hosted) {
        const HostTarget target = ChooseHostTarget(options, environmentWindow);
        if (target.kind == HostTarget::Bad) {
            *failure = target.message;  // empty when the option's own message said why
        } else {
            launch.mode = LaunchMode::Preview;
            launch.window = target.window;
            *onRoot = target.kind == HostTarget::Root;
        }
    } else if (options.switchLine.empty() && options.emptyLine) {
        launch.mode = LaunchMode::Configure;
    } else if (options.switchLine.empty() && options.runOptionGiven) {
        *failure = "--mirrors, --no-mirrors, --passes and --fps are for a run: add /s, /p ID, --root or "
                   "--window-id (see --help)";
    }
    launch.failure = failure->empty() ? nullptr : failure->c_str();
    return launch;
}

HostTarget ChooseHostTarget(const HostOptions& options, const char* environmentWindow) {
    HostTarget target;
    if (options.windowIdGiven) {
        if (options.windowIdBad) {
            target.kind = HostTarget::Bad;  // the option's own message has said why
        } else {
            target.kind = HostTarget::Window;
            target.window = options.windowId;
        }
        return target;
    }
    if (environmentWindow != nullptr && *environmentWindow != '\0') {
        if (ParseWindowId(environmentWindow, &target.window)) {
            target.kind = HostTarget::Window;
        } else {
            target.kind = HostTarget::Bad;
            target.message = "XSCREENSAVER_WINDOW: \"" + std::string(environmentWindow) +
                             "\" is not a window id (decimal, or hexadecimal after 0x)";
        }
        return target;
    }
    target.kind = HostTarget::Root;
    return target;
}

const char* const kHostUsage =
    "Usage: brisalo /s | /p ID | --root | --window-id ID  [--mirrors | --no-mirrors] [--passes N] [--fps]\n"
    "       brisalo [/c[:ID]] | /a | --add-to-xscreensaver | --help | --version\n"
    "\n"
    "A turning kaleidoscope of round photographic buttons.\n"
    "\n"
    "  --root          draw in the window named by XSCREENSAVER_WINDOW, else on the root window\n"
    "  --window-id ID  draw in window ID (decimal, or hexadecimal after 0x)\n"
    "  --mirrors       the kaleidoscope's mirrors on for this run, whatever the settings say\n"
    "  --no-mirrors    the mirrors off for this run\n"
    "  --passes N      start with N passes, 1 to 10 (default 2)\n"
    "  --fps           show the frame rate in the picture and on standard error\n"
    "  --lock          lock a Wayland session; in an X11 session that is the session locker's job\n"
    "  --add-to-xscreensaver\n"
    "                  add Brisalo to the list of savers in ~/.xscreensaver\n"
    "  --help          this text\n"
    "  --version       the version\n"
    "\n"
    "Options take one dash or two. Without --root or --window-id the Windows-style switches\n"
    "apply: /s full screen, /p ID a preview in window ID, /c the settings dialog (also what\n"
    "no argument at all opens). The run options hold for /s and /p as well.\n";
