// The Wayland layer's part of the process: its command line and the foreground window.
#include <string>

#include "platform/wayland/wayland_options.h"
#include "platform/wayland/wayland_state.h"

PlatformLaunch UnixReadLaunch(int argc, char** argv, std::string* failure) {
    return ReadWaylandLaunch(argc, argv, failure);
}

// Wayland tells no client which one has the focus.
PlatformWindow PlatformGetForegroundWindow() { return 0; }

