#include "platform/wayland/wayland_options.h"

#include "platform/log.h"
#include "platform/unix/linux_command_line.h"

namespace {

const char* const kX11HostsWord =
    "--root and --window-id name an X11 window; a Wayland session has none (--layer draws on the desktop's "
    "background)";

const LinuxWord kWaylandWords[] = {
    {"layer", LinuxWordRole::Entry, false},
    {"root", LinuxWordRole::Foreign, false, kX11HostsWord},
    {"window-id", LinuxWordRole::Foreign, true, kX11HostsWord},
    {"add-to-xscreensaver", LinuxWordRole::Foreign, false,
     "--add-to-xscreensaver edits XScreenSaver's list, an X11 saver's; a Wayland session has none"},
};

}  // namespace

// The run on the background is a preview of the pretend host: the same run without close
// rules.
PlatformLaunch ReadWaylandLaunch(int argc, const char* const* argv, std::string* failure) {
    const LinuxCommandLine line =
        ParseLinuxCommandLine(argc, argv, kWaylandWords, sizeof kWaylandWords / sizeof kWaylandWords[0]);
    for (const std::string& message : line.messages) PlatformLogError("%s", message.c_str());
    PlatformLaunch launch = LaunchFromLinuxLine(line, false, kWaylandUsage, "/s or --layer", failure);
    if (launch.help || launch.version || launch.failure != nullptr) return launch;
    if (line.entry) {
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
    "       brisalo /c\n"
    "\n"
    "A turning kaleidoscope of round photographic buttons, on every output of a Wayland session.\n"
    "\n"
    "  /s              full screen until a key, a click or a movement of the mouse\n"
    "  /c              the settings dialog\n"
    "  --layer         draw on the desktop's background on every output, taking no input, until\n"
    "                  stopped by a signal (what a screen locker runs)\n"
    "  --mirrors       the kaleidoscope's mirrors on for this run, whatever the settings say\n"
    "  --no-mirrors    the mirrors off for this run\n"
    "  --passes N      start with N passes, 1 to 10 (default 2)\n"
    "  --fps           show the frame rate in the picture and on standard error\n"
    "  --help          this text\n"
    "  --version       the version\n";
