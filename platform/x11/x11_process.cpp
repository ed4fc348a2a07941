// Process-wide services of the X11 platform: command line, clock, sleep, signals and the
// things Linux does not have (password libraries, the screen-saver-running flag).
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

volatile sig_atomic_t x11StopRequested = 0;

namespace {

// What main() was given, read once: the launch, and why a host's line could not be run.
struct X11ProcessState {
    PlatformLaunch launch;
    std::string launchFailure;
};

X11ProcessState process;

void OnStopSignal(int stopSignal) { x11StopRequested = stopSignal; }

// A host's line becomes a preview of the host's window: the same run, a child filling the
// window, no close rules, an end when the window goes.
PlatformLaunch ReadLaunch(int argc, char** argv) {
    const HostOptions options = ParseHostOptions(argc, argv);
    for (const std::string& message : options.messages) PlatformLogError("%s", message.c_str());
    bool onRoot = false;
    PlatformLaunch read =
        LaunchFromHostOptions(options, std::getenv("XSCREENSAVER_WINDOW"), &onRoot, &process.launchFailure);
    if (options.addToXScreenSaver) {
        read.done = true;
        read.exitCode = AddToXScreenSaver();
    } else if (options.lock) {
        PlatformLogError("in an X11 session locking is the session locker's job (XScreenSaver, light-locker, "
                         "...); --lock locks Wayland sessions");
        read.done = true;
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

void PlatformStartProcess(int argc, char** argv) {
    HandOverToWayland(argc, argv);
    X11ReturnLargeBlocksToTheSystem();
    struct sigaction action{};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    // A closed terminal or an ended session (SIGHUP) is a stop like any other.
    for (int stopSignal : {SIGTERM, SIGINT, SIGHUP}) sigaction(stopSignal, &action, nullptr);
    // A reader that went away (a closed pipe on standard error) is no reason to die.
    signal(SIGPIPE, SIG_IGN);

    X11InstallErrorHandlers(false);
    process.launch = ReadLaunch(argc, argv);
}

PlatformInstance PlatformModuleInstance() { return 0; }

int32_t PlatformStartShowCommand() { return static_cast<int32_t>(SW_SHOWDEFAULT); }

PlatformLaunch PlatformGetLaunch() { return process.launch; }

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

uint32_t PlatformGetTickCount() { return MonotonicMilliseconds(); }

// A stop signal cuts the pause short, so the run ends without waiting for it.
void PlatformSleep(uint32_t milliseconds) { SleepUnlessStopped(milliseconds, x11StopRequested); }

// Locking belongs to the session's screen locker: there is no per-saver password here,
// which the shell treats as the NT family does.
bool PlatformIsNtFamily() { return true; }
PlatformLibrary PlatformLoadLibrary(const char*) { return 0; }
void* PlatformGetProcAddress(PlatformLibrary, const char*) { return nullptr; }
void PlatformFreeLibrary(PlatformLibrary) {}

// Nothing on X11 asks whether a saver runs.
void PlatformSetScreenSaverRunning(bool) {}
