#include "platform/x11/x11_host_options.h"

#include <cstring>

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
    if (ParseSmallNumber(value, kFewestPasses, kMostPasses, &options.passCount)) return;
    options.passCount = 0;
    options.messages.push_back("--passes takes a number from 1 to 10, not " +
                               (value == nullptr ? std::string("nothing") : "\"" + std::string(value) + "\"") +
                               "; starting with the default");
}

const HostOption kOptions[] = {
    {"root", false, [](HostOptions& o, const char*) { o.hosted = true; }},
    {"window-id", true, [](HostOptions& o, const char* v) { o.hosted = true; ApplyWindowId(o, v); }},
    {"mirrors", false, [](HostOptions& o, const char*) { o.useMirrors = 1; }},
    {"no-mirrors", false, [](HostOptions& o, const char*) { o.useMirrors = 0; }},
    {"passes", true, ApplyPasses},
    {"fps", false, [](HostOptions& o, const char*) { o.showFps = true; }},
    {"help", false, [](HostOptions& o, const char*) { o.help = true; }},
    {"version", false, [](HostOptions& o, const char*) { o.version = true; }},
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

bool IsHelpOrVersion(const HostOption* known) {
    return known != nullptr && (std::strcmp(known->name, "help") == 0 || std::strcmp(known->name, "version") == 0);
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
    bool entry = false;
    for (int i = 1; i < argc; ++i) {
        const HostOption* known = FindOption(argv[i]);
        entry = entry || IsEntry(known);
        if (IsHelpOrVersion(known)) known->apply(options, nullptr);
    }
    if (!entry) return options;

    // A hosted line is ours alone: every word is an option or a mistake to mention.
    for (int i = 1; i < argc; ++i) {
        const HostOption* known = FindOption(argv[i]);
        if (known == nullptr) {
            options.messages.push_back("ignoring \"" + std::string(argv[i]) + "\": not an option (see --help)");
            continue;
        }
        // An option word is never taken as the value of the one before it.
        const char* value = nullptr;
        if (known->takesValue && i + 1 < argc && FindOption(argv[i + 1]) == nullptr) value = argv[++i];
        if (!IsHelpOrVersion(known)) known->apply(options, value);
    }
    return options;
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
    "Usage: brisalo [--root | --window-id ID] [--mirrors | --no-mirrors] [--passes N] [--fps]\n"
    "       brisalo /s | /p ID | /c[:ID] | /a\n"
    "\n"
    "A turning kaleidoscope of round photographic buttons.\n"
    "\n"
    "  --root          draw in the window named by XSCREENSAVER_WINDOW, else on the root window\n"
    "  --window-id ID  draw in window ID (decimal, or hexadecimal after 0x)\n"
    "  --mirrors       the kaleidoscope's mirrors on for this run, whatever the settings say\n"
    "  --no-mirrors    the mirrors off for this run\n"
    "  --passes N      start with N passes, 1 to 10 (default 2)\n"
    "  --fps           write the frame rate to standard error every few seconds\n"
    "  --help          this text\n"
    "  --version       the version\n"
    "\n"
    "Options take one dash or two. Without --root or --window-id the Windows-style switches\n"
    "apply: /s full screen, /p ID a preview in window ID, /c the settings dialog.\n";
