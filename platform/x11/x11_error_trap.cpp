#include "platform/x11/x11_error_trap.h"

#include <unistd.h>

namespace {

int trapDepth = 0;
Display* trapDisplay = nullptr;
int trappedError = 0;
XErrorHandler chained = nullptr;

int OnXError(Display* display, XErrorEvent* error) {
    if (trapDepth > 0 && display == trapDisplay) {
        if (trappedError == 0) trappedError = error->error_code;
        return 0;
    }
    if (chained != nullptr) return chained(display, error);
    return 0;
}

int OnIOError(Display*) { _exit(0); }

}  // namespace

X11ErrorTrap::X11ErrorTrap(Display* display) : display(display), previousError(trappedError) {
    XSync(display, False);  // earlier requests' errors are not ours
    ++trapDepth;
    trapDisplay = display;
    trappedError = 0;
}

X11ErrorTrap::~X11ErrorTrap() {
    XSync(display, False);
    --trapDepth;
    trappedError = previousError;
}

bool X11ErrorTrap::failed() {
    XSync(display, False);
    return trappedError != 0;
}

void X11InstallErrorHandlers(bool chainPrevious) {
    const XErrorHandler previous = XSetErrorHandler(OnXError);
    if (chainPrevious && previous != OnXError) chained = previous;
    XSetIOErrorHandler(OnIOError);
}
