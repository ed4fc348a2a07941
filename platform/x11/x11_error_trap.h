#pragma once

#include <X11/Xlib.h>

// Catches the X errors of the requests made while it lives, instead of letting them end
// the process. failed() waits for the server's answer.
struct X11ErrorTrap {
    explicit X11ErrorTrap(Display* display);
    ~X11ErrorTrap();
    X11ErrorTrap(const X11ErrorTrap&) = delete;
    X11ErrorTrap& operator=(const X11ErrorTrap&) = delete;

    bool failed();
    int errorCode();  // the first error caught, 0 for none

    Display* display;
    int previousError;
};

// Protocol errors on the saver's connection are never fatal: one that no trap expected is
// reported once for its kind. A lost connection ends the process with exit code 0. chainPrevious keeps a toolkit's handler (GDK's)
// for its own connection.
void X11InstallErrorHandlers(bool chainPrevious);

// A window that another client may destroy at any moment (a host's window, and ours inside
// it): errors naming it are expected and not reported.
void X11ExpectWindowToVanish(XID window);
