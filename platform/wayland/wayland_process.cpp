// The Wayland layer's part of the process: its command line, the lock's move to the
// background, and the foreground window.
#include <cerrno>
#include <cstring>
#include <string>

#include "platform/log.h"
#include "platform/unix/daemonize.h"
#include "platform/wayland/wayland_options.h"
#include "platform/wayland/wayland_state.h"

// Here, before the compositor's connection and EGL's threads: see daemonize.h.
PlatformLaunch UnixReadLaunch(int argc, char** argv, std::string* failure) {
    bool daemonize = false;
    const PlatformLaunch launch = ReadWaylandLaunch(argc, argv, failure, &daemonize);
    if (daemonize && !DaemonizeUntilReady(unixStopSignal)) {
        PlatformLogError("cannot go to the background (%s): locking in the foreground", std::strerror(errno));
    }
    return launch;
}

// Wayland tells no client which one has the focus.
PlatformWindow PlatformGetForegroundWindow() { return 0; }
