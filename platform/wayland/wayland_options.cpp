#include "platform/wayland/wayland_options.h"

#include <cstring>

namespace {

// "-name" and "--name" are one option; a word that is neither is the shell's.
const char* OptionName(const char* word) {
    if (word[0] != '-' || word[1] == '\0') return nullptr;
    return word[1] == '-' ? word + 2 : word + 1;
}

bool ParsePasses(const char* text, int32_t* passes) {
    if (text == nullptr || *text == '\0' || std::strlen(text) > 2) return false;
    int32_t value = 0;
    for (const char* c = text; *c != '\0'; ++c) {
        if (*c < '0' || *c > '9') return false;
        value = value * 10 + (*c - '0');
    }
    if (value < 1 || value > 10) return false;
    *passes = value;
    return true;
}

}  // namespace

WaylandOptions ParseWaylandOptions(int argc, const char* const* argv) {
    WaylandOptions options;
    for (int i = 1; i < argc; ++i) {
        const char* name = OptionName(argv[i]);
        if (name == nullptr) {
            options.switches.emplace_back(argv[i]);
        } else if (std::strcmp(name, "layer") == 0) {
            options.layer = true;
        } else if (std::strcmp(name, "lock") == 0) {
            options.run.lock = true;
        } else if (std::strcmp(name, "daemonize") == 0 || std::strcmp(name, "f") == 0) {
            options.daemonize = true;
        } else if (std::strcmp(name, "mirrors") == 0) {
            options.run.useMirrors = 1;
        } else if (std::strcmp(name, "no-mirrors") == 0) {
            options.run.useMirrors = 0;
        } else if (std::strcmp(name, "fps") == 0) {
            options.run.showFps = true;
        } else if (std::strcmp(name, "help") == 0) {
            options.help = true;
        } else if (std::strcmp(name, "version") == 0) {
            options.version = true;
        } else if (std::strcmp(name, "passes") == 0) {
            const char* value = i + 1 < argc && OptionName(argv[i + 1]) == nullptr ? argv[++i] : nullptr;
            if (!ParsePasses(value, &options.run.passCount)) {
                options.run.passCount = 0;
                options.messages.push_back("--passes takes a number from 1 to 10, not " +
                                           (value == nullptr ? std::string("nothing")
                                                             : "\"" + std::string(value) + "\"") +
                                           "; starting with the default");
            }
        } else if (std::strcmp(name, "root") == 0 || std::strcmp(name, "window-id") == 0) {
            options.x11Only = true;
            if (std::strcmp(name, "window-id") == 0 && i + 1 < argc && OptionName(argv[i + 1]) == nullptr) ++i;
        } else {
            options.switches.emplace_back(argv[i]);  // "-s" is the shell's switch, as on Windows
        }
    }
    if (options.daemonize && !options.run.lock) {
        options.daemonize = false;
        options.messages.emplace_back("ignoring --daemonize: it goes with --lock (see --help)");
    }
    return options;
}

const char* const kWaylandUsage =
    "Usage: brisalo [/s] [--mirrors | --no-mirrors] [--passes N] [--fps]\n"
    "       brisalo --layer [--mirrors | --no-mirrors] [--passes N] [--fps]\n"
    "       brisalo --lock [-f] [--mirrors | --no-mirrors] [--passes N] [--fps]\n"
    "       brisalo /c\n"
    "\n"
    "A turning kaleidoscope of round photographic buttons, on every output of a Wayland session.\n"
    "\n"
    "  /s              full screen until a key, a click or a movement of the mouse\n"
    "  /c              the settings dialog\n"
    "  --layer         draw on the desktop's background on every output, taking no input, until\n"
    "                  stopped by a signal (what a screen locker runs)\n"
    "  --lock          lock the session (ext-session-lock-v1) with the kaleidoscope on every\n"
    "                  output: input within the Password Delay unlocks, after it the password\n"
    "                  does (PAM service \"brisalo\"); exit status 0 once unlocked\n"
    "  -f, --daemonize with --lock: exit status 0 as soon as the session is locked, the lock\n"
    "                  going on in the background (for swayidle -w); 1 when it could not lock\n"
    "  --mirrors       the kaleidoscope's mirrors on for this run, whatever the settings say\n"
    "  --no-mirrors    the mirrors off for this run\n"
    "  --passes N      start with N passes, 1 to 10 (default 2)\n"
    "  --fps           show the frame rate in the picture and on standard error\n"
    "  --help          this text\n"
    "  --version       the version\n";
