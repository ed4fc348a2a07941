#include "platform/x11/x11_host_options.h"

#include <cstring>

#include "platform/windows_command_line.h"

namespace {

// The lock and its -f are a Wayland session's words.
const char* const kLockWord =
    "in an X11 session locking is the session locker's job (XScreenSaver, light-locker, ...); --lock and -f lock "
    "Wayland sessions";

const LinuxWord kX11Words[] = {
    {"root", LinuxWordRole::Entry, false},
    {"window-id", LinuxWordRole::Entry, true},
    {"add-to-xscreensaver", LinuxWordRole::Task, false},
    {"layer", LinuxWordRole::Foreign, false,
     "--layer draws on a Wayland desktop's background, and no Wayland compositor answers here"},
    {"lock", LinuxWordRole::Foreign, false, kLockWord},
    {"daemonize", LinuxWordRole::Foreign, false, kLockWord},
    {"f", LinuxWordRole::Foreign, false, kLockWord},
};

void ApplyWindowId(HostOptions& options, const char* value) {
    options.windowIdGiven = true;
    if (value != nullptr && ParseWindowId(value, &options.windowId)) return;
    options.windowIdBad = true;
    options.line.messages.push_back(value == nullptr
                                        ? std::string("--window-id needs a window id (decimal, or hexadecimal after 0x)")
                                        : "--window-id: \"" + std::string(value) +
                                              "\" is not a window id (decimal, or hexadecimal after 0x)");
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
    options.line = ParseLinuxCommandLine(argc, argv, kX11Words, sizeof kX11Words / sizeof kX11Words[0]);
    for (const LinuxWordFound& found : options.line.own) {
        const std::string name = found.word->name;
        options.hosted = options.hosted || found.word->role == LinuxWordRole::Entry;
        if (name == "window-id") ApplyWindowId(options, found.value);
        if (name == "add-to-xscreensaver") options.addToXScreenSaver = true;
    }
    return options;
}

PlatformLaunch LaunchFromHostOptions(const HostOptions& options, const char* environmentWindow, bool* onRoot,
                                     std::string* failure) {
    *onRoot = false;
    PlatformLaunch launch = LaunchFromLinuxLine(options.line, options.addToXScreenSaver, kHostUsage,
                                                "/s, /p ID, --root or --window-id", failure);
    if (!options.hosted || launch.help || launch.version || options.addToXScreenSaver || !failure->empty()) {
        return launch;
    }
    const HostTarget target = ChooseHostTarget(options, environmentWindow);
    if (target.kind == HostTarget::Bad) {
        *failure = target.message;  // empty when the option's own message said why
        launch.failure = failure->empty() ? nullptr : failure->c_str();
    } else {
        launch.mode = LaunchMode::Preview;
        launch.window = target.window;
        *onRoot = target.kind == HostTarget::Root;
    }
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
    "  --add-to-xscreensaver\n"
    "                  add Brisalo to the list of savers in ~/.xscreensaver\n"
    "  --help          this text\n"
    "  --version       the version\n"
    "\n"
    "Options take one dash or two. Without --root or --window-id the Windows-style switches\n"
    "apply: /s full screen, /p ID a preview in window ID, /c the settings dialog (also what\n"
    "no argument at all opens). The run options hold for /s and /p as well.\n"
    "\n"
    "In a Wayland session brisalo hands the run to brisalo-wayland, which reads the same line\n"
    "without --root, --window-id and /p, and with words of its own: --layer (draw on the\n"
    "desktop's background on every output, taking no input, for screen lockers) and --lock\n"
    "[-f | --daemonize] (lock the session with the kaleidoscope behind a password prompt). In an\n"
    "X11 session locking is the session locker's job: --lock and -f say so and do nothing.\n";
