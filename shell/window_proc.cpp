#include "shell/window_proc.h"

#include "render/renderer.h"
#include "platform/messages.h"
#include "shell/passwords.h"
#include "shell/saver_state.h"
#include "shell/saver_views.h"
#include "shell/session_lock.h"
#include "shell/settings.h"

namespace {

// Measured from where the cursor stood at the start, per axis: small moves add up, and a
// diagonal counts by its larger leg.
void ApplyMouseRule() {
    PlatformPoint now;
    PlatformGetCursorPos(&now);
    const int64_t dx = static_cast<int64_t>(now.x) - settings->cursorOrigin.x;
    const int64_t dy = static_cast<int64_t>(now.y) - settings->cursorOrigin.y;
    const int64_t threshold = settings->mouseThreshold;
    if ((dx < 0 ? -dx : dx) > threshold || (dy < 0 ? -dy : dy) > threshold) settings->RequestClose();
}

// WM_CLOSE in ScreenSaver mode. Only a close the saver asked for counts; within the grace
// period it needs no password. Unsigned arithmetic keeps the elapsed time right across the
// wrap of the tick count.
void ApplyCloseRule(PlatformWindow window) {
    if (!settings->closeRequested || settings->passwordDialogUp) return;

    const uint32_t elapsed = PlatformGetTickCount() - settings->startTick;
    if (elapsed <= settings->passwordDelay * 1000u) {
        PlatformDestroyWindow(window);
        return;
    }
    settings->BeginPasswordDialog();
    const bool ok = VerifySaverPassword(window);
    settings->EndPasswordDialog();
    if (ok) PlatformDestroyWindow(window);
}

}  // namespace

intptr_t SaverWindowProc(PlatformWindow window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    if (LockWindowProc(window, message, wParam, lParam)) {
        return message == WM_CLOSE ? 0 : PlatformDefWindowProc(window, message, wParam, lParam);
    }
    const bool screenSaver = currentMode == SaverMode::ScreenSaver;
    const bool active = screenSaver && !settings->passwordDialogUp && !settings->startFailed;

    switch (message) {
    case WM_CREATE:
        settings->window = window;
        PlatformGetCursorPos(&settings->cursorOrigin);
        settings->startTick = PlatformGetTickCount();
        break;
    case WM_DESTROY:
        PlatformPostQuitMessage(0);
        break;
    case WM_SIZE: {
        // The picture fills the window at every size; sizes before the Renderer are its
        // set-up's own.
        const int32_t width = static_cast<int32_t>(lParam & 0xFFFF);
        const int32_t height = static_cast<int32_t>((lParam >> 16) & 0xFFFF);
        if (currentRenderer != nullptr && width > 0 && height > 0) {
            currentRenderer->resize(width, height);
            UpdateSaverViews();
        }
        break;
    }
    case WM_DISPLAYCHANGE:
        UpdateSaverViews();
        break;
    case WM_ACTIVATE:
    case WM_ACTIVATEAPP:
    case WM_NCACTIVATE:
        if (active && (wParam & 0xFFFF) == 0) settings->RequestClose();
        break;
    case WM_CLOSE:
        if (screenSaver) {
            ApplyCloseRule(window);
            return 0;
        }
        break;
    case WM_SETCURSOR:
        PlatformSetCursor(active ? 0 : PlatformLoadCursor(IDC_ARROW));
        break;
    case WM_KEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        // Buttons arrive as their button mask, below 32, which the hook never takes.
        if (active) {
            const bool taken = currentRenderer != nullptr &&
                               currentRenderer->handleKey(static_cast<uint32_t>(wParam));
            if (!taken) settings->RequestClose();
        }
        break;
    case WM_SYSCOMMAND:
        // Compared whole, low bits included: only these two exact commands are swallowed.
        if (screenSaver && (wParam == SC_SCREENSAVE || wParam == SC_CLOSE)) return 0;
        break;
    case WM_MOUSEMOVE:
        if (active) ApplyMouseRule();
        break;
    default:
        break;
    }
    return PlatformDefWindowProc(window, message, wParam, lParam);
}
