// Process-wide services of the Wayland platform: command line, clock, sleep, signals and
// the things Linux does not have (password libraries, the screen-saver-running flag).
#include <time.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <string>

#include "platform/log.h"
#include "platform/messages.h"
#include "platform/wayland/wayland_options.h"
#include "platform/wayland/wayland_state.h"
#include "platform/x11/x11_command_line.h"

volatile sig_atomic_t waylandStopRequested = 0;

namespace {

std::string commandLine;
RunOptions runOptions;

void OnStopSignal(int) { waylandStopRequested = 1; }

// The shell reads a Windows command line: the options are taken out, --layer becomes a
// preview of the pretend host (the same run without close rules), and a line with nothing
// to run becomes a switch that does nothing, so the process still ends through SaverMain.
std::string WaylandCommandLine(int argc, char** argv) {
    const std::string program = BuildCommandLine(argc > 0 ? 1 : 0, argv);
    const WaylandOptions options = ParseWaylandOptions(argc, argv);
    if (options.help || options.version) {
        if (options.help) std::fputs(kWaylandUsage, stdout);
        if (options.version) std::printf("brisalo %s\n", BRISALO_VERSION);
        std::fflush(stdout);
        return program + " -";
    }
    for (const std::string& message : options.messages) PlatformLogError("%s", message.c_str());
    if (options.x11Only) return program + " -";
    runOptions.useMirrors = options.useMirrors;
    runOptions.passCount = options.passCount;
    runOptions.showFps = options.showFps;
    if (options.layer) return program + " /p " + std::to_string(kWaylandLayerHost);
    std::string line = program;
    for (const std::string& word : options.switches) line += " " + word;
    return line;
}

}  // namespace

void PlatformStartProcess(int argc, char** argv) {
    struct sigaction action{};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    for (int stopSignal : {SIGTERM, SIGINT, SIGHUP}) sigaction(stopSignal, &action, nullptr);
    signal(SIGPIPE, SIG_IGN);
    commandLine = WaylandCommandLine(argc, argv);
}

PlatformInstance PlatformModuleInstance() { return 0; }

int32_t PlatformStartShowCommand() { return static_cast<int32_t>(SW_SHOWDEFAULT); }

const char* PlatformGetCommandLine() { return commandLine.c_str(); }

RunOptions PlatformGetRunOptions() { return runOptions; }

// Wayland tells no client which one has the focus.
PlatformWindow PlatformGetForegroundWindow() { return 0; }

uint32_t PlatformGetTickCount() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<uint32_t>(static_cast<uint64_t>(now.tv_sec) * 1000u +
                                 static_cast<uint64_t>(now.tv_nsec) / 1000000u);
}

// A stop signal cuts the pause short, so the run ends without waiting for it.
void PlatformSleep(uint32_t milliseconds) {
    timespec pause{static_cast<time_t>(milliseconds / 1000), static_cast<long>(milliseconds % 1000) * 1000000L};
    while (nanosleep(&pause, &pause) != 0 && errno == EINTR && !waylandStopRequested) {
    }
}

// Locking belongs to the session's screen locker, as on X11.
bool PlatformIsNtFamily() { return true; }
PlatformLibrary PlatformLoadLibrary(const char*) { return 0; }
void* PlatformGetProcAddress(PlatformLibrary, const char*) { return nullptr; }
void PlatformFreeLibrary(PlatformLibrary) {}

void PlatformSetScreenSaverRunning(bool) {}
