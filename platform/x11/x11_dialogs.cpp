// What the shared dialog code asks of X11: an owner window to stack the dialog on, GTK's X
// errors handled as ours are, and the grab let go so that a message box takes input.
#include "platform/x11/x11_error_trap.h"
#include "platform/x11/x11_state.h"

PlatformWindow UnixDialogOwner(PlatformWindow owner) { return owner; }

void UnixInstallDisplayErrorHandlers(bool chainPrevious) { X11InstallErrorHandlers(chainPrevious); }

void UnixReleaseInput() { X11ReleaseInput(); }
