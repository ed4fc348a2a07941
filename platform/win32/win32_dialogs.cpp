#include <windows.h>

#include "platform/platform.h"
#include "platform/win32/win32_handles.h"
#include "platform/win32/win32_session.h"

namespace {

// One modal dialog at a time; its procedure is reached through this trampoline.
DialogProcedure dialogProcedure = nullptr;
bool dialogEnded = false;
intptr_t dialogResult = 0;

// Between messages the dialog's loop sleeps instead of waiting. Under Wine every wait is
// the wineserver's to end, and one whose server was killed never ends, which leaves the
// process behind; a sleep is the process's own.
constexpr DWORD kDialogPollMs = 15;

INT_PTR CALLBACK DialogTrampoline(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return dialogProcedure(FromHwnd(dialog), message, wParam, lParam);
}

void PumpDialog(HWND dialog) {
    while (!dialogEnded) {
        MSG message;
        while (!dialogEnded && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(message.wParam));  // for the loop outside, as a modal loop does
                dialogEnded = true;
                break;
            }
            if (!IsDialogMessageA(dialog, &message)) {
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
        }
        if (!dialogEnded) Sleep(kDialogPollMs);
        Win32FollowSessionEnd();
    }
}

}  // namespace

// The template is the resource of that id; the table the other systems build from is the
// same one, compiled into the resource script. Modal as DialogBoxParamA makes it: the
// owner is disabled while it is up. A handle that names no window (any number on the
// command line, or a window gone since) gives an unowned dialog, as on X11, where
// DialogBoxParamA would show none at all.
intptr_t PlatformDialogBox(PlatformInstance instance, int32_t templateId, const DialogTemplate&, PlatformWindow owner,
                           DialogProcedure procedure) {
    dialogProcedure = procedure;
    dialogEnded = false;
    dialogResult = 0;
    HWND ownerWindow = ToHwnd(owner);
    if (ownerWindow != nullptr && !IsWindow(ownerWindow)) ownerWindow = nullptr;
    const bool ownerWasEnabled = ownerWindow != nullptr && !EnableWindow(ownerWindow, FALSE);
    HWND dialog = CreateDialogParamA(reinterpret_cast<HINSTANCE>(instance), MAKEINTRESOURCEA(templateId), ownerWindow,
                                     DialogTrampoline, 0);
    if (dialog != nullptr) {
        ShowWindow(dialog, SW_SHOW);
        PumpDialog(dialog);
    }
    // The owner first, so that it, not another program, takes the activation back.
    if (ownerWasEnabled) EnableWindow(ownerWindow, TRUE);
    if (dialog == nullptr) return -1;
    DestroyWindow(dialog);
    return dialogResult;
}

void PlatformEndDialog(PlatformWindow, intptr_t result) {
    dialogResult = result;
    dialogEnded = true;
}

void PlatformCheckDlgButton(PlatformWindow dialog, int32_t id, bool checked) {
    CheckDlgButton(ToHwnd(dialog), id, checked ? BST_CHECKED : BST_UNCHECKED);
}

bool PlatformIsDlgButtonChecked(PlatformWindow dialog, int32_t id) {
    return IsDlgButtonChecked(ToHwnd(dialog), id) == BST_CHECKED;
}
