#include "platform/x11/x11_host_exit.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>

#include "platform/x11/x11_state.h"

namespace {

// Runs as the process exits: the teardown is done, only the manner of the end is left.
void RaiseTheStopSignal() {
    const int stopSignal = unixStopSignal;
    if (stopSignal == 0) return;
    std::fflush(nullptr);
    std::signal(stopSignal, SIG_DFL);
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, stopSignal);
    sigprocmask(SIG_UNBLOCK, &signals, nullptr);
    std::raise(stopSignal);
}

}  // namespace

void X11EndByTheStopSignalWhenHosted() {
    static bool registered = false;
    if (!registered) registered = std::atexit(RaiseTheStopSignal) == 0;
}
