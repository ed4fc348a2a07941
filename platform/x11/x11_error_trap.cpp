#include "platform/x11/x11_error_trap.h"

#include <unistd.h>

#include "platform/log.h"

namespace {

// Kinds of error already reported: a window that keeps failing every frame is said once.
struct ErrorKind {
    int code;
    int request;
    int minor;
};
constexpr int kReportedKinds = 32;

// Windows whose end another client decides: until their DestroyNotify is read, requests
// on them may fail at any moment, which is expected.
constexpr int kMortalWindows = 4;

// What the handlers know; Xlib calls them with no context of ours.
struct X11ErrorState {
    int trapDepth = 0;
    Display* trapDisplay = nullptr;
    int trappedError = 0;
    XErrorHandler chained = nullptr;
    ErrorKind reported[kReportedKinds] = {};
    int reportedCount = 0;
    XID mortal[kMortalWindows] = {};
    int mortalCount = 0;
};

X11ErrorState errors;

bool FirstOfItsKind(const XErrorEvent& error) {
    const ErrorKind kind{error.error_code, error.request_code, error.minor_code};
    for (int i = 0; i < errors.reportedCount; ++i) {
        const ErrorKind& seen = errors.reported[i];
        if (seen.code == kind.code && seen.request == kind.request && seen.minor == kind.minor) {
            return false;
        }
    }
    if (errors.reportedCount == kReportedKinds) return false;
    errors.reported[errors.reportedCount++] = kind;
    if (errors.reportedCount == kReportedKinds) PlatformLogError("further X errors are not reported");
    return errors.reportedCount < kReportedKinds;
}

// No protocol request may be made from here; XGetErrorText reads Xlib's own tables.
void Report(Display* display, const XErrorEvent& error) {
    if (!FirstOfItsKind(error)) return;
    char text[160] = {};
    XGetErrorText(display, error.error_code, text, sizeof text);
    PlatformLogError("X error: %s (request %d.%d, resource 0x%lx); going on", text, error.request_code,
                     error.minor_code, error.resourceid);
}

bool IsMortal(XID resource) {
    for (int i = 0; i < errors.mortalCount; ++i) {
        if (errors.mortal[i] == resource) return true;
    }
    return false;
}

int OnXError(Display* display, XErrorEvent* error) {
    if (errors.trapDepth > 0 && display == errors.trapDisplay) {
        if (errors.trappedError == 0) errors.trappedError = error->error_code;
        return 0;
    }
    if (errors.chained != nullptr) return errors.chained(display, error);
    if (IsMortal(error->resourceid)) return 0;
    Report(display, *error);
    return 0;
}

// Xlib ends the process when this returns: there is no connection left to tear down with.
int OnIOError(Display*) {
    PlatformLogError("lost the connection to the X display");
    _exit(0);
}

}  // namespace

X11ErrorTrap::X11ErrorTrap(Display* display) : display(display), previousError(errors.trappedError) {
    XSync(display, False);  // earlier requests' errors are not ours
    ++errors.trapDepth;
    errors.trapDisplay = display;
    errors.trappedError = 0;
}

X11ErrorTrap::~X11ErrorTrap() {
    XSync(display, False);
    --errors.trapDepth;
    errors.trappedError = previousError;
}

bool X11ErrorTrap::failed() {
    XSync(display, False);
    return errors.trappedError != 0;
}

int X11ErrorTrap::errorCode() {
    XSync(display, False);
    return errors.trappedError;
}

void X11InstallErrorHandlers(bool chainPrevious) {
    const XErrorHandler previous = XSetErrorHandler(OnXError);
    if (chainPrevious && previous != OnXError) errors.chained = previous;
    XSetIOErrorHandler(OnIOError);
}

void X11ExpectWindowToVanish(XID window) {
    if (window == 0 || IsMortal(window)) return;
    if (errors.mortalCount == kMortalWindows) errors.mortalCount = 0;  // the oldest ones are long gone
    errors.mortal[errors.mortalCount++] = window;
}
