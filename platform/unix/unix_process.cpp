// Process-wide services of both Linux layers: the stop signals, the launch, clock and sleep,
// and the things Linux does not have (password libraries, the screen-saver-running flag).
#include <unistd.h>

#include <csignal>
#include <string>

#include "platform/messages.h"
#include "platform/unix/unix_clock.h"
#include "platform/unix/unix_layer.h"

volatile sig_atomic_t unixStopSignal = 0;

namespace {

struct UnixProcess {
    PlatformLaunch launch;
    std::string launchFailure;
};

UnixProcess process;

void OnStopSignal(int stopSignal) { unixStopSignal = stopSignal; }

// A closed terminal or an ended session (SIGHUP) is a stop like any other.
sigset_t StopSignals() {
    sigset_t signals;
    sigemptyset(&signals);
    for (int stopSignal : {SIGTERM, SIGINT, SIGHUP}) sigaddset(&signals, stopSignal);
    return signals;
}

}  // namespace

// The stop handling comes before anything that takes time, so a stop at the start still
// ends the run through its teardown. A stop held back by the program that handed over to
// this one (UnixExecKeepingTheStop) arrives once the handler is in place.
void PlatformStartProcess(int argc, char** argv) {
    struct sigaction action{};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    for (int stopSignal : {SIGTERM, SIGINT, SIGHUP}) sigaction(stopSignal, &action, nullptr);
    const sigset_t stops = StopSignals();
    sigprocmask(SIG_UNBLOCK, &stops, nullptr);
    // A reader that went away (a closed pipe on standard error) is no reason to die.
    signal(SIGPIPE, SIG_IGN);
    process.launch = UnixReadLaunch(argc, argv, &process.launchFailure);
}

// exec sets caught signals back to their default, which ends a process, but keeps the mask
// and what is pending: the stops are held from here until the new program handles them,
// and one that came already is made pending again.
void UnixExecKeepingTheStop(const char* path, char* const* argv) {
    const sigset_t stops = StopSignals();
    sigset_t previous;
    sigprocmask(SIG_BLOCK, &stops, &previous);
    if (unixStopSignal != 0) raise(unixStopSignal);
    execv(path, argv);
    sigprocmask(SIG_SETMASK, &previous, nullptr);
}

PlatformInstance PlatformModuleInstance() { return 0; }

int32_t PlatformStartShowCommand() { return static_cast<int32_t>(SW_SHOWDEFAULT); }

PlatformLaunch PlatformGetLaunch() { return process.launch; }

uint32_t PlatformGetTickCount() { return MonotonicMilliseconds(); }

// A stop signal cuts the pause short, so the run ends without waiting for it.
void PlatformSleep(uint32_t milliseconds) { SleepUnlessStopped(milliseconds, unixStopSignal); }

// Locking belongs to the session's screen locker: there is no per-saver password here,
// which the shell treats as the NT family does.
bool PlatformIsNtFamily() { return true; }
PlatformLibrary PlatformLoadLibrary(const char*) { return 0; }
void* PlatformGetProcAddress(PlatformLibrary, const char*) { return nullptr; }
void PlatformFreeLibrary(PlatformLibrary) {}

// Nothing on Linux asks whether a saver runs.
void PlatformSetScreenSaverRunning(bool) {}
