#include "shell/saver_main.h"

#include "shell/command_line.h"
#include "shell/config_dialog.h"
#include "shell/passwords.h"
#include "shell/saver_state.h"
#include "shell/saver_window.h"
#include "shell/settings.h"

namespace {

PlatformWindow WindowFromHandle(int32_t handle) {
    return static_cast<PlatformWindow>(static_cast<intptr_t>(handle));
}

}  // namespace

int SaverMain(PlatformInstance instance, int32_t showCommand) {
    moduleInstance = instance;
    const ParsedCommandLine parsed = ParseCommandLine(PlatformGetCommandLine());
    currentMode = parsed.mode;

    // Every mode reads both groups, even one that then does nothing.
    settings = new SaverSettings();
    settings->ReadDesktopSettings();
    settings->ReadOwnSettings();

    const PlatformWindow window = WindowFromHandle(parsed.window);
    switch (currentMode) {
    case SaverMode::ChangePassword:
        ChangeSaverPassword(window);
        break;
    case SaverMode::Configure:
        PlatformDialogBox(moduleInstance, kConfigDialogId, configDialogTemplate, window, ConfigDialogProc);
        break;
    case SaverMode::Preview:
    case SaverMode::ScreenSaver:
        RunSaver(window, showCommand);
        break;
    case SaverMode::Unset:
        break;
    }

    delete settings;
    settings = nullptr;
    return 0;
}
