#pragma once

#include "platform/platform.h"

// True when the saver may close. Only the Windows 95 family has a per-saver password; every
// other platform (the NT family, Linux) answers true.
bool VerifySaverPassword(PlatformWindow window);

// Runs the system's dialog for changing the screen-saver password, where there is one.
void ChangeSaverPassword(PlatformWindow parent);
