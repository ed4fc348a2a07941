#pragma once

// The session lock on Wayland (ext-session-lock-v1), for `--lock`: the saver's surfaces
// become the lock's, one per output. Only platform/wayland includes this.
#include <xkbcommon/xkbcommon.h>

#include <cstdint>

struct WaylandOutput;
struct wl_registry;

// Binds the lock manager when the registry offers it; false for any other global.
bool WaylandLockGlobal(wl_registry* registry, uint32_t name, const char* interface, uint32_t version);

// This run was asked to be the lock; the compositor has locked the session for it.
bool WaylandIsLockRun();
bool WaylandSessionLocked();
// Asks the compositor for the lock and waits for its answer. False, said in one line,
// when the compositor has no lock protocol or refuses, or the password cannot be checked:
// then nothing is locked.
bool WaylandLockSession();

// Gives a new surface the lock surface role on its output, instead of a shell's.
void WaylandGiveLockRole(WaylandOutput& output);
void WaylandDropLockRole(WaylandOutput& output);

// What the message pump owes the lock: a stop signal becomes a close request for the lock's
// rules, the check's verdict a message.
void WaylandLockTakeStop();
void WaylandLockPollCheck();

// A key press's character for the prompt, as Windows' TranslateMessage gives WM_CHAR.
void WaylandLockTypeKey(xkb_keycode_t code);
