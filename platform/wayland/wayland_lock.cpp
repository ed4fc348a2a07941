// The session lock on Wayland: ext-session-lock-v1. The compositor keeps the session locked
// until we ask it to unlock, and also when we die; unlock_and_destroy is sent in one place,
// PlatformUnlockSession, which the shell calls only when its lock rules allow.
#include "platform/wayland/wayland_lock.h"

#include <poll.h>

#include <cstring>
#include <string>

#include "platform/log.h"
#include "platform/messages.h"
#include "platform/session_lock.h"
#include "platform/unix/daemonize.h"
#include "platform/unix/password/password_check.h"
#include "platform/wayland/wayland_state.h"

namespace {

struct LockState {
    ext_session_lock_manager_v1* manager = nullptr;
    ext_session_lock_v1* lock = nullptr;
    bool locked = false;    // the compositor said `locked`: from here only unlock_and_destroy ends it
    bool finished = false;  // the compositor said `finished`
};

LockState session;

void Locked(void*, ext_session_lock_v1*) { session.locked = true; }

// Before `locked`, a refusal (another locker holds the session). After it, the compositor
// ended the lock its own way: the run ends, asking nothing of it.
void Finished(void*, ext_session_lock_v1*) {
    session.finished = true;
    if (!session.locked || wayland.window == 0) return;
    PlatformLogError("the compositor ended the session lock");
    WaylandWindowGone();
}

const ext_session_lock_v1_listener kLockListener = {Locked, Finished};

void LockSurfaceConfigure(void* data, ext_session_lock_surface_v1* surface, uint32_t serial, uint32_t width,
                          uint32_t height) {
    ext_session_lock_surface_v1_ack_configure(surface, serial);
    WaylandConfigure(*static_cast<WaylandOutput*>(data), static_cast<int32_t>(width), static_cast<int32_t>(height));
}

const ext_session_lock_surface_v1_listener kLockSurfaceListener = {LockSurfaceConfigure};

constexpr int kAnswerPollMs = 100;

// The compositor answers at once, but `locked` may wait for the outputs to be blanked; a
// stop signal ends the wait.
bool WaitForAnswer() {
    while (!session.locked && !session.finished) {
        if (unixStopSignal != 0 || wl_display_flush(wayland.display) < 0) return false;
        if (wl_display_prepare_read(wayland.display) != 0) {
            if (wl_display_dispatch_pending(wayland.display) < 0) return false;
            continue;
        }
        pollfd descriptor{wl_display_get_fd(wayland.display), POLLIN, 0};
        if (poll(&descriptor, 1, kAnswerPollMs) > 0) {
            if (wl_display_read_events(wayland.display) < 0) return false;
        } else {
            wl_display_cancel_read(wayland.display);
        }
        if (wl_display_dispatch_pending(wayland.display) < 0) return false;
    }
    return session.locked;
}

}  // namespace

bool WaylandLockGlobal(wl_registry* registry, uint32_t name, const char* interface, uint32_t) {
    if (std::strcmp(interface, ext_session_lock_manager_v1_interface.name) != 0) return false;
    session.manager = static_cast<ext_session_lock_manager_v1*>(
        wl_registry_bind(registry, name, &ext_session_lock_manager_v1_interface, 1));
    return true;
}

bool WaylandIsLockRun() { return PlatformGetLaunch().options.lock; }

bool WaylandSessionLocked() { return session.locked; }

bool WaylandLockSession() {
    if (session.manager == nullptr) {
        PlatformLogError("this Wayland compositor has no session lock (ext-session-lock-v1): not locking");
        return false;
    }
    std::string why;
    if (!PasswordCheckAvailable(&why)) {
        PlatformLogError("%s: not locking", why.c_str());
        return false;
    }
    ProtectPasswordMemory();
    session.lock = ext_session_lock_manager_v1_lock(session.manager);
    ext_session_lock_v1_add_listener(session.lock, &kLockListener, nullptr);
    if (WaitForAnswer()) {
        DaemonReady();  // a caller waiting on --daemonize may go: the session is locked
        return true;
    }
    // Not locked, so the plain destroy is the one allowed.
    ext_session_lock_v1_destroy(session.lock);
    session.lock = nullptr;
    wl_display_flush(wayland.display);
    if (session.finished) PlatformLogError("the compositor refused the session lock (is another locker running?)");
    return false;
}

// No commit here: a lock surface may commit nothing before its first configure is acked.
void WaylandGiveLockRole(WaylandOutput& output) {
    output.lockSurface = ext_session_lock_v1_get_lock_surface(session.lock, output.surface, output.output);
    ext_session_lock_surface_v1_add_listener(output.lockSurface, &kLockSurfaceListener, &output);
}

void WaylandDropLockRole(WaylandOutput& output) {
    if (output.lockSurface != nullptr) ext_session_lock_surface_v1_destroy(output.lockSurface);
    output.lockSurface = nullptr;
}

// The stop is taken, so that it neither destroys the window nor cuts every pause short.
void WaylandLockTakeStop() {
    if (!session.locked || unixStopSignal == 0 || wayland.window == 0) return;
    unixStopSignal = 0;
    WaylandQueue(WM_CLOSE, 0, 0);
}

void WaylandLockPollCheck() {
    if (!session.locked || wayland.window == 0) return;
    switch (PollPasswordCheck()) {
    case PasswordCheckState::Accepted:
        WaylandQueue(kPasswordVerdictMessage, kPasswordAccepted, 0);
        break;
    case PasswordCheckState::Refused:
        WaylandQueue(kPasswordVerdictMessage, kPasswordRefused, 0);
        break;
    case PasswordCheckState::Idle:
    case PasswordCheckState::Pending:
        break;
    }
}

// Control characters (Enter, Escape, Backspace, with Control held) are keys, not text.
void WaylandLockTypeKey(xkb_keycode_t code) {
    if (!session.locked || wayland.keyState == nullptr || wayland.window == 0) return;
    const uint32_t character = xkb_state_key_get_utf32(wayland.keyState, code);
    if (character >= 0x20 && character != 0x7F) WaylandQueue(WM_CHAR, character, 0);
}

// The one unlock. The compositor must have it before we go: the roundtrip waits for that.
bool PlatformUnlockSession(PlatformWindow window) {
    if (window == 0 || window != wayland.window || session.lock == nullptr || !session.locked) return false;
    ext_session_lock_v1_unlock_and_destroy(session.lock);
    session.lock = nullptr;
    session.locked = false;
    for (auto& output : wayland.outputs) WaylandDestroySurface(*output);
    wl_display_roundtrip(wayland.display);
    wayland.window = 0;
    unixLayer.procedure(window, WM_DESTROY, 0, 0);
    return true;
}
