#include "platform/wayland/wayland_options.h"

#include <vector>

#include "platform/log.h"
#include "platform/unix/linux_command_line.h"

namespace {

const char* const kX11HostsWord =
    "--root and --window-id name an X11 window; a Wayland session has none (--layer draws on the desktop's "
    "background)";

const LinuxWord kWaylandWords[] = {
    {"layer", LinuxWordRole::Entry, false},
    {"lock", LinuxWordRole::Entry, false},
    {"daemonize", LinuxWordRole::Run, false},
    {"f", LinuxWordRole::Run, false},
    {"root", LinuxWordRole::Foreign, false, kX11HostsWord},
    {"window-id", LinuxWordRole::Foreign, true, kX11HostsWord},
    {"add-to-xscreensaver", LinuxWordRole::Foreign, false,
     "--add-to-xscreensaver edits XScreenSaver's list, an X11 saver's; a Wayland session has none"},
};

}  // namespace

// The run on the background is a preview of the pretend host: the same run without close
// rules. The lock is the full-screen run with the lock's rules; neither is a switch's run,
// so switch words beside them are no options.
PlatformLaunch ReadWaylandLaunch(int argc, const char* const* argv, std::string* failure, bool* daemonize) {
    *daemonize = false;
    const LinuxCommandLine line =
        ParseLinuxCommandLine(argc, argv, kWaylandWords, sizeof kWaylandWords / sizeof kWaylandWords[0]);
    bool layer = false;
    bool lock = false;
    bool background = false;
    std::vector<std::string> messages = line.messages;
    for (const LinuxWordFound& found : line.own) {
        const std::string name = found.word->name;
        layer = layer || name == "layer";
        lock = lock || name == "lock";
        background = background || name == "daemonize" || name == "f";
    }
    if (background && !lock) messages.push_back("ignoring -f/--daemonize: it goes with --lock (see --help)");
    for (const std::string& message : messages) PlatformLogError("%s", message.c_str());
    PlatformLaunch launch = LaunchFromLinuxLine(line, false, kWaylandUsage, "/s, --layer or --lock", failure);
    if (launch.help || launch.version) return launch;
    // A caller of the lock learns that it did not lock, however the line failed.
    launch.options.lock = lock;
    if (launch.failure != nullptr) return launch;
    if (lock && layer) {
        *failure = "--lock and --layer are runs of their own: give one (see --help)";
        launch.failure = failure->c_str();
    } else if (lock) {
        launch.mode = LaunchMode::ScreenSaver;
        *daemonize = background;
    } else if (layer) {
        launch.mode = LaunchMode::Preview;
        launch.window = kWaylandLayerHost;
    } else if (launch.mode == LaunchMode::Preview) {
        *failure = "/p names a host's window; a Wayland session has none (--layer draws on the desktop's background)";
        launch.failure = failure->c_str();
        launch.mode = LaunchMode::Nothing;
    }
    return launch;
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
    "  --version       the version\n"
    "\n"
    "Options take one dash or two. In an X11 session brisalo reads the same line without\n"
    "--layer and --lock (locking there is the session locker's job), and with X11's own words\n"
    "(--root, --window-id ID, /p ID, --add-to-xscreensaver).\n";
