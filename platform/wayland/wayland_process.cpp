// Process-wide services of the Wayland platform: command line, clock, sleep, signals and
// the things Linux does not have (password libraries, the screen-saver-running flag).
#include <cerrno>
#include <csignal>
#include <cstring>
#include <string>

#include "platform/log.h"
#include "platform/unix/daemonize.h"
#include "platform/unix/unix_clock.h"
#include "platform/messages.h"
#include "platform/wayland/wayland_options.h"
#include "platform/wayland/wayland_state.h"
#include "platform/windows_command_line.h"

volatile sig_atomic_t waylandStopRequested = 0;

namespace {

PlatformLaunch launch;
std::string failure;
bool daemonize = false;  // a lock run that goes to the background once locked

void OnStopSignal(int) { waylandStopRequested = 1; }

// The switch words are read as Windows reads them; --layer is the hosted run, a preview of
// the pretend host (the same run without close rules).
PlatformLaunch ReadLaunch(int argc, char** argv) {
    const WaylandOptions options = ParseWaylandOptions(argc, argv);
    for (const std::string& message : options.messages) PlatformLogError("%s", message.c_str());
    PlatformLaunch read;
    std::string line = "brisalo";
    for (const std::string& word : options.switches) line += " " + word;
    if (!options.switches.empty()) {
        read = ReadWindowsCommandLine(line.c_str());
    } else if (argc <= 1) {
        read.mode = LaunchMode::Configure;  // no argument at all, as on Windows
    }
    read.usage = kWaylandUsage;
    read.help = options.help;
    read.version = options.version;
    if (options.help || options.version) {
        read.mode = LaunchMode::Nothing;
        return read;
    }
    read.options = options.run;
    daemonize = options.daemonize;
    if (options.x11Only) {
        failure = "--root and --window-id name an X11 window; a Wayland session has none (--layer draws on the "
                  "desktop's background)";
        read.mode = LaunchMode::Nothing;
    } else if (options.run.lock) {
        read.mode = LaunchMode::ScreenSaver;
        if (options.layer || !options.switches.empty()) {
            failure = "--lock is a run of its own: no /s, /c, /p or --layer with it";
            read.mode = LaunchMode::Nothing;
        }
    } else if (options.layer) {
        read.mode = LaunchMode::Preview;
        read.window = kWaylandLayerHost;
    } else if (read.mode == LaunchMode::Preview) {
        failure = "/p names a host's window; a Wayland session has none (--layer draws on the desktop's background)";
        read.mode = LaunchMode::Nothing;
    } else if (options.switches.empty() && argc > 1) {
        failure = "--mirrors, --no-mirrors, --passes and --fps are for a run: add /s or --layer (see --help)";
    }
    read.failure = failure.empty() ? nullptr : failure.c_str();
    return read;
}

}  // namespace

void PlatformStartProcess(int argc, char** argv) {
    struct sigaction action{};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    for (int stopSignal : {SIGTERM, SIGINT, SIGHUP}) sigaction(stopSignal, &action, nullptr);
    signal(SIGPIPE, SIG_IGN);
    launch = ReadLaunch(argc, argv);
    // Here, before the compositor's connection and EGL's threads: see daemonize.h.
    if (daemonize && launch.mode == LaunchMode::ScreenSaver && launch.failure == nullptr &&
        !DaemonizeUntilReady(waylandStopRequested)) {
        PlatformLogError("cannot go to the background (%s): locking in the foreground", std::strerror(errno));
    }
}

PlatformInstance PlatformModuleInstance() { return 0; }

int32_t PlatformStartShowCommand() { return static_cast<int32_t>(SW_SHOWDEFAULT); }

PlatformLaunch PlatformGetLaunch() { return launch; }

// Wayland tells no client which one has the focus.
PlatformWindow PlatformGetForegroundWindow() { return 0; }

uint32_t PlatformGetTickCount() { return MonotonicMilliseconds(); }

// A stop signal cuts the pause short, so the run ends without waiting for it.
void PlatformSleep(uint32_t milliseconds) { SleepUnlessStopped(milliseconds, waylandStopRequested); }

// Locking belongs to the session's screen locker, as on X11.
bool PlatformIsNtFamily() { return true; }
PlatformLibrary PlatformLoadLibrary(const char*) { return 0; }
void* PlatformGetProcAddress(PlatformLibrary, const char*) { return nullptr; }
void PlatformFreeLibrary(PlatformLibrary) {}

void PlatformSetScreenSaverRunning(bool) {}
