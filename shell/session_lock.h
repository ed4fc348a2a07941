#pragma once

#include <cstdint>

#include "platform/platform.h"
#include "render/renderer.h"

// The close rules of a run that is the session's lock (--lock on Wayland). Within the grace
// period they are the saver's: input, or a stop signal, unlocks. After it a key shows the
// password prompt, and nothing but the check's acceptance unlocks: not a signal, not an
// error, not a check that failed or never answered.
struct SessionLock {
    bool active = false;    // this run was asked to be the lock
    bool unlocked = false;  // it ended by unlocking
    bool promptUp = false;
    bool checking = false;  // a password is with the check; keys wait for its verdict
    bool wrong = false;     // the last check refused, shown until the next key
    int32_t keyPresses = 0;
    bool erased = false;
};

extern SessionLock currentLock;

// The lock's own handling of a message of the saver window; true when it took it, so that
// the saver's rules must not see it. Messages it does not take go on to the saver's rules.
bool LockWindowProc(PlatformWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam);

// The prompt over one view the Renderer has just drawn, while it is up.
void DrawLockOverlay(const Renderer& renderer, int32_t view);
