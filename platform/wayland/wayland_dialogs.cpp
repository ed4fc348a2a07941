// What the shared dialog code asks of Wayland: no foreign window can own a dialog, and X
// errors are no concern of a Wayland run.
#include "platform/wayland/wayland_state.h"

PlatformWindow UnixDialogOwner(PlatformWindow) { return 0; }

void UnixInstallDisplayErrorHandlers(bool) {}

void UnixReleaseInput() {}
