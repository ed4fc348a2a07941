#include "shell/config_dialog.h"

#include <string>

#include "platform/messages.h"
#include "shell/saver_state.h"
#include "shell/settings.h"

intptr_t ConfigDialogProc(PlatformWindow dialog, uint32_t message, uintptr_t wParam, intptr_t) {
    switch (message) {
    case WM_INITDIALOG:
        PlatformCheckDlgButton(dialog, kUseMirrorsCheckBox, settings->useMirrors != 0);
        return 1;  // the system sets the focus
    case WM_COMMAND:
        switch (wParam & 0xFFFF) {
        case IDOK: {
            // An untouched box keeps whatever number was stored, not just 1.
            const bool checked = PlatformIsDlgButtonChecked(dialog, kUseMirrorsCheckBox);
            if (checked != (settings->useMirrors != 0)) settings->useMirrors = checked ? 1 : 0;
            // The dialog still ends with 1, but the user learns that the choice was not kept.
            if (!settings->WriteOwnSettings()) {
                const std::string text =
                    std::string("The settings could not be saved to ") + PlatformGetSettingsError();
                PlatformMessageBox(text.c_str(), "Error");
            }
            PlatformEndDialog(dialog, 1);
            return 0;
        }
        case IDCANCEL:
            PlatformEndDialog(dialog, 2);
            return 0;
        default:
            return 0;
        }
    default:
        return 0;
    }
}
