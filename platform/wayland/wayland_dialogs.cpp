// Dialogs and message boxes through the dialog module beside this executable, opened on
// first use: GTK draws them on Wayland natively. There is no owner window to honour.
#include <dlfcn.h>
#include <unistd.h>

#include <string>

#include "platform/log.h"
#include "platform/unix/executable_folder.h"
#include "platform/wayland/wayland_state.h"
#include "platform/x11/dialog_module.h"

namespace {

void NoErrorHandlers(bool) {}  // X errors are no concern of a Wayland run

const DialogModuleHost host = {&waylandStopRequested, NoErrorHandlers, PlatformLogError};
DialogModule module{};
int opened = -1;  // -1 not tried, 0 missing, 1 loaded
std::string failure;

// The twin is installed beside the module, and built beside it. The handle is never
// closed: GTK cannot be unloaded.
bool OpenModule() {
    if (opened >= 0) return opened == 1;
    opened = 0;
    const std::string path = ExecutableFolder() + "/" + kDialogModuleFile;
    if (access(path.c_str(), F_OK) != 0) {
        failure = "no " + path;
        return false;
    }
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        failure = dlerror();
        return false;
    }
    auto open = reinterpret_cast<OpenDialogModuleFunction>(dlsym(handle, kDialogModuleEntry));
    if (open == nullptr || !open(kDialogModuleVersion, &host, &module)) {
        failure = path + " is not this build's dialog module";
        return false;
    }
    opened = 1;
    return true;
}

}  // namespace

intptr_t PlatformDialogBox(PlatformInstance, int32_t, const DialogTemplate& dialog, PlatformWindow,
                           DialogProcedure procedure) {
    if (!OpenModule()) {
        PlatformLogError("cannot show \"%s\": %s", dialog.caption, failure.c_str());
        return -1;
    }
    return module.dialogBox(dialog, 0, procedure);
}

void PlatformEndDialog(PlatformWindow dialog, intptr_t result) {
    if (opened == 1) module.endDialog(dialog, result);
}

void PlatformCheckDlgButton(PlatformWindow dialog, int32_t id, bool checked) {
    if (opened == 1) module.checkDlgButton(dialog, id, checked);
}

bool PlatformIsDlgButtonChecked(PlatformWindow dialog, int32_t id) {
    return opened == 1 && module.isDlgButtonChecked(dialog, id);
}

// The text goes to standard error first: a saver often runs where no one sees a window.
void PlatformMessageBox(const char* text, const char* caption) {
    PlatformLogError("%s", text);
    if (!OpenModule()) {
        PlatformLogError("cannot show the message box: %s", failure.c_str());
        return;
    }
    module.messageBox(text, caption);
}
