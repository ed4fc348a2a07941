// Dialogs and message boxes through the dialog module, opened on first use: GTK draws them
// on X11 and on Wayland alike. Without the module the saver still runs; a dialog then fails
// as DialogBox fails (-1) and a message box is only its line on standard error.
#include <dlfcn.h>
#include <unistd.h>

#include <string>

#include "platform/log.h"
#include "platform/unix/dialog_module.h"
#include "platform/unix/executable_folder.h"
#include "platform/unix/unix_layer.h"

namespace {

const DialogModuleHost host = {&unixStopSignal, UnixInstallDisplayErrorHandlers, PlatformLogError};

// The module once opened, or why it could not be.
struct UnixDialogs {
    DialogModule module{};
    int opened = -1;  // -1 not tried, 0 missing, 1 loaded
    std::string failure;
};

UnixDialogs dialogs;

// The handle is never closed: GTK cannot be unloaded.
bool OpenModule() {
    if (dialogs.opened >= 0) return dialogs.opened == 1;
    dialogs.opened = 0;
    const std::vector<std::string> folders = CompanionFolders();
    for (const std::string& folder : folders) {
        const std::string path = folder + "/" + kDialogModuleFile;
        if (access(path.c_str(), F_OK) != 0) continue;
        void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (handle == nullptr) {
            dialogs.failure = dlerror();
            return false;
        }
        auto open = reinterpret_cast<OpenDialogModuleFunction>(dlsym(handle, kDialogModuleEntry));
        if (open == nullptr || !open(kDialogModuleVersion, &host, &dialogs.module)) {
            dialogs.failure = path + " is not this build's dialog module";
            return false;
        }
        dialogs.opened = 1;
        return true;
    }
    dialogs.failure = std::string("no ") + kDialogModuleFile + " in " + folders[0] + " or " + folders[1];
    return false;
}

}  // namespace

intptr_t PlatformDialogBox(PlatformInstance, int32_t, const DialogTemplate& dialog, PlatformWindow owner,
                           DialogProcedure procedure) {
    if (!OpenModule()) {
        PlatformLogError("cannot show \"%s\": %s", dialog.caption, dialogs.failure.c_str());
        return -1;
    }
    return dialogs.module.dialogBox(dialog, UnixDialogOwner(owner), procedure);
}

// Only a dialog the module made can be handed back here, so the module is loaded.
void PlatformEndDialog(PlatformWindow dialog, intptr_t result) {
    if (dialogs.opened == 1) dialogs.module.endDialog(dialog, result);
}

void PlatformCheckDlgButton(PlatformWindow dialog, int32_t id, bool checked) {
    if (dialogs.opened == 1) dialogs.module.checkDlgButton(dialog, id, checked);
}

bool PlatformIsDlgButtonChecked(PlatformWindow dialog, int32_t id) {
    return dialogs.opened == 1 && dialogs.module.isDlgButtonChecked(dialog, id);
}

// The text goes to standard error first: a saver often runs where no one sees a window.
void PlatformMessageBox(const char* text, const char* caption) {
    PlatformLogError("%s", text);
    UnixReleaseInput();
    if (!OpenModule()) {
        PlatformLogError("cannot show the message box: %s", dialogs.failure.c_str());
        return;
    }
    dialogs.module.messageBox(text, caption);
}
