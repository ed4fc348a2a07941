// Process-wide services of both Linux layers: the stop signals, the launch, clock and sleep,
// and the things Linux does not have (password libraries, the screen-saver-running flag).
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
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
    // Written by the stop handler, so that a pause that is about to wait wakes all the same.
    int stopPipe[2] = {-1, -1};
};

UnixProcess process;

void OnStopSignal(int stopSignal) {
    const int savedErrno = errno;
    unixStopSignal = stopSignal;
    if (process.stopPipe[1] >= 0) {
        const ssize_t written = write(process.stopPipe[1], "", 1);
        (void)written;  // a full pipe has woken the pause already
    }
    errno = savedErrno;
}

void DrainStopPipe() {
    char bytes[16];
    while (process.stopPipe[0] >= 0 && read(process.stopPipe[0], bytes, sizeof bytes) > 0) {
    }
}

// Something for the frame loop to do before the pause ends: a message, the end of the run.
bool Awake() {
    return unixStopSignal != 0 || !unixLayer.queue.messages.empty() || unixLayer.queue.quitPosted ||
           UnixWakeEarly();
}

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
    if (pipe2(process.stopPipe, O_NONBLOCK | O_CLOEXEC) != 0) process.stopPipe[0] = process.stopPipe[1] = -1;
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

// The pause waits on the display's connection and the stop: what the display sends is read
// as it comes, and the pause ends as soon as there is a message to answer or a stop.
void PlatformSleep(uint32_t milliseconds) {
    const uint32_t start = MonotonicMilliseconds();
    for (;;) {
        UnixPumpEvents();
        if (Awake()) return;
        const uint32_t passed = MonotonicMilliseconds() - start;
        if (passed >= milliseconds) return;
        pollfd waits[2] = {{process.stopPipe[0], POLLIN, 0}, {UnixDisplayFd(), POLLIN, 0}};
        poll(waits, waits[1].fd >= 0 ? 2 : 1, static_cast<int>(milliseconds - passed));
        DrainStopPipe();
    }
}

// Locking belongs to the session's screen locker: there is no per-saver password here,
// which the shell treats as the NT family does.
bool PlatformIsNtFamily() { return true; }
PlatformLibrary PlatformLoadLibrary(const char*) { return 0; }
void* PlatformGetProcAddress(PlatformLibrary, const char*) { return nullptr; }
void PlatformFreeLibrary(PlatformLibrary) {}

// Nothing on Linux asks whether a saver runs.
void PlatformSetScreenSaverRunning(bool) {}
