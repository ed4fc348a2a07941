#include "shell/session_lock.h"

#include "platform/messages.h"
#include "platform/session_lock.h"
#include "render/lock_prompt.h"
#include "shell/saver_state.h"
#include "shell/settings.h"

SessionLock currentLock;

namespace {

// The saver's grace period, measured as its close rule measures it.
bool WithinGracePeriod() {
    const uint32_t elapsed = PlatformGetTickCount() - settings->startTick;
    return elapsed <= settings->passwordDelay * 1000u;
}

// The one place the shell ends the lock.
void Unlock(PlatformWindow window) {
    PlatformPasswordClear();
    if (PlatformUnlockSession(window)) currentLock.unlocked = true;
}

// A check that cannot start is a refusal like any other.
void Submit() {
    currentLock.checking = PlatformStartPasswordCheck();
    currentLock.wrong = !currentLock.checking;
}

// Characters come after their key as WM_CHAR; here are the keys that edit.
void OnKey(uint32_t key) {
    currentLock.promptUp = true;
    if (currentLock.checking) return;
    currentLock.wrong = false;
    switch (key) {
    case VK_RETURN:
        Submit();
        return;
    case VK_BACK:
        PlatformPasswordErase();
        break;
    case VK_ESCAPE:
        PlatformPasswordClear();
        break;
    default:
        return;
    }
    currentLock.erased = true;
    ++currentLock.keyPresses;
}

void OnCharacter(uint32_t character) {
    if (!currentLock.promptUp || currentLock.checking) return;
    PlatformPasswordAppend(character);
    currentLock.erased = false;
    ++currentLock.keyPresses;
}

// Only the verdict of a check we asked for counts, and only acceptance unlocks.
void OnVerdict(PlatformWindow window, uintptr_t verdict) {
    if (!currentLock.checking) return;
    currentLock.checking = false;
    if (verdict == kPasswordAccepted) {
        Unlock(window);
        return;
    }
    currentLock.wrong = true;
}

}  // namespace

bool LockWindowProc(PlatformWindow window, uint32_t message, uintptr_t wParam, intptr_t) {
    if (!currentLock.active) return false;
    switch (message) {
    case WM_CLOSE:
        // The saver's own close requests and the platform's stop signals alike.
        if (WithinGracePeriod()) Unlock(window);
        return true;
    case kPasswordVerdictMessage:
        OnVerdict(window, wParam);
        return true;
    case WM_KEYDOWN:
        if (WithinGracePeriod()) return false;
        OnKey(static_cast<uint32_t>(wParam));
        return true;
    case WM_CHAR:
        if (!WithinGracePeriod()) OnCharacter(static_cast<uint32_t>(wParam));
        return true;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_MOUSEMOVE:
    case WM_ACTIVATE:
    case WM_ACTIVATEAPP:
    case WM_NCACTIVATE:
        return !WithinGracePeriod();
    default:
        return false;
    }
}

void DrawLockOverlay(const Renderer& renderer, int32_t index) {
    if (!currentLock.active || !currentLock.promptUp || index < 0 || index >= renderer.viewCount) return;
    LockPromptLook look;
    look.ring = currentLock.checking ? LockRing::Checking : currentLock.wrong ? LockRing::Wrong : LockRing::Typing;
    look.keyPresses = currentLock.keyPresses;
    look.erased = currentLock.erased;
    look.seconds = renderer.elapsedSeconds;
    const RenderView& view = renderer.views[index];
    DrawLockPrompt(look, view.x, view.y, view.width, view.height);
}
