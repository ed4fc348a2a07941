// The X11 layer's part of the process: its command line and the foreground window.
#include <X11/Xlib.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/log.h"
#include "platform/unix/unix_clock.h"
#include "platform/platform.h"
#include "platform/x11/x11_allocator.h"
#include "platform/x11/x11_host_exit.h"
#include "platform/x11/xscreensaver_list.h"
#include "platform/x11/x11_host_options.h"
#include "platform/x11/x11_error_trap.h"
#include "platform/x11/x11_state.h"
#include "platform/x11/wayland_hand_over.h"
#include "platform/messages.h"

namespace {

// A host's line becomes a preview of the host's window: the same run, a child filling the
// window, no close rules, an end when the window goes.
PlatformLaunch ReadLaunch(int argc, char** argv, std::string* failure) {
    const HostOptions options = ParseHostOptions(argc, argv);
    for (const std::string& message : options.line.messages) PlatformLogError("%s", message.c_str());
    bool onRoot = false;
    PlatformLaunch read =
        LaunchFromHostOptions(options, std::getenv("XSCREENSAVER_WINDOW"), &onRoot, failure);
    if (options.addToXScreenSaver) {
        read.done = true;
        read.exitCode = AddToXScreenSaver();
    }
    if (onRoot) {
        Display* display = X11Display();  // without one, the run says so and ends
        read.window = display != nullptr ? RootWindow(display, DefaultScreen(display)) : 0;
    }
    x11.hosted = options.hosted;
    if (x11.hosted) X11EndByTheStopSignalWhenHosted();
    return read;
}

}  // namespace

// The hand-over first: a Wayland session's line goes to the Wayland saver before any of
// X's set-up.
PlatformLaunch UnixReadLaunch(int argc, char** argv, std::string* failure) {
    HandOverToWayland(argc, argv);
    X11ReturnLargeBlocksToTheSystem();
    X11InstallErrorHandlers(false);
    return ReadLaunch(argc, argv, failure);
}

// The window with the input focus, as the top-level window that holds it; 0 when the focus
// follows the pointer or there is no display.
PlatformWindow PlatformGetForegroundWindow() {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) return 0;
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(display, &focus, &revert);
    Window topLevel = 0;
    if (focus != None && focus != PointerRoot) {
        X11ErrorTrap trap(display);
        Window window = focus;
        for (;;) {
            Window root = 0, parent = 0, *children = nullptr;
            unsigned int count = 0;
            if (!XQueryTree(display, window, &root, &parent, &children, &count)) break;
            if (children != nullptr) XFree(children);
            if (parent == root || parent == 0) {
                topLevel = window;
                break;
            }
            window = parent;
        }
    }
    XCloseDisplay(display);
    return topLevel;
}

