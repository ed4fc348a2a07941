#include <windows.h>

#include "platform/platform.h"
#include "platform/win32/win32_handles.h"

namespace {

// One modal dialog at a time; its procedure is reached through this trampoline.
DialogProcedure dialogProcedure = nullptr;

INT_PTR CALLBACK DialogTrampoline(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return dialogProcedure(FromHwnd(dialog), message, wParam, lParam);
}

}  // namespace

// The template is the resource of that id; the table the other systems build from is the
// same one, compiled into the resource script.
intptr_t PlatformDialogBox(PlatformInstance instance, int32_t templateId, const DialogTemplate&, PlatformWindow owner,
                           DialogProcedure procedure) {
    dialogProcedure = procedure;
    return DialogBoxParamA(reinterpret_cast<HINSTANCE>(instance), MAKEINTRESOURCEA(templateId), ToHwnd(owner),
                           DialogTrampoline, 0);
}

void PlatformEndDialog(PlatformWindow dialog, intptr_t result) { EndDialog(ToHwnd(dialog), result); }

void PlatformCheckDlgButton(PlatformWindow dialog, int32_t id, bool checked) {
    CheckDlgButton(ToHwnd(dialog), id, checked ? BST_CHECKED : BST_UNCHECKED);
}

bool PlatformIsDlgButtonChecked(PlatformWindow dialog, int32_t id) {
    return IsDlgButtonChecked(ToHwnd(dialog), id) == BST_CHECKED;
}
