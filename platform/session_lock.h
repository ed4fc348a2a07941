#pragma once

#include <cstdint>

#include "platform/platform.h"

// The session lock: a run whose window is the session's lock screen (Wayland's
// ext-session-lock). Only the Wayland layer has one; elsewhere a run never locks, and these
// answer as if nothing were typed and nothing could be checked.

// Posted to the lock window when the password check has answered: wParam is
// kPasswordAccepted, or anything else for a refusal.
constexpr uint32_t kPasswordVerdictMessage = 0x8001;  // WM_APP + 1
constexpr uintptr_t kPasswordAccepted = 0x600D;
constexpr uintptr_t kPasswordRefused = 0;

// The typed password is held by the platform in a fixed buffer that leaves it only for the
// system's check. Characters are Unicode code points; one that does not fit is dropped.
void PlatformPasswordAppend(uint32_t character);
void PlatformPasswordErase();  // the last character
void PlatformPasswordClear();  // all of it, wiped
int32_t PlatformPasswordLength();  // in characters

// Hands the password to the system's check and wipes it. The verdict comes later as
// kPasswordVerdictMessage; false when no check could start (then none comes).
bool PlatformStartPasswordCheck();

// Ends the session lock and takes the window down with it: the only way a lock ends but by
// the compositor. False when the window is no lock (nothing is done then).
bool PlatformUnlockSession(PlatformWindow window);
