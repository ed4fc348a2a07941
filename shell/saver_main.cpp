#include "shell/saver_main.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/log.h"
#include "shell/config_dialog.h"
#include "shell/passwords.h"
#include "shell/saver_state.h"
#include "shell/saver_window.h"
#include "shell/session_lock.h"
#include "shell/settings.h"

namespace {

SaverMode ModeOf(LaunchMode mode) {
    switch (mode) {
    case LaunchMode::Configure:
        return SaverMode::Configure;
    case LaunchMode::ChangePassword:
        return SaverMode::ChangePassword;
    case LaunchMode::Preview:
        return SaverMode::Preview;
    case LaunchMode::ScreenSaver:
        return SaverMode::ScreenSaver;
    case LaunchMode::Nothing:
        break;
    }
    return SaverMode::Unset;
}

// What a reader of --help or --version did not get is a failure the caller must see.
int WriteHelpAndVersion(const PlatformLaunch& launch) {
    errno = 0;
    bool written = true;
    if (launch.help) written = std::fputs(launch.usage, stdout) >= 0;
    if (launch.version) written = std::printf("brisalo %s\n", BRISALO_VERSION) > 0 && written;
    written = std::fflush(stdout) == 0 && written && !std::ferror(stdout);
    if (written) return 0;
    PlatformLogError("cannot write to standard output: %s", errno != 0 ? std::strerror(errno) : "write failed");
    return 1;
}

}  // namespace

int SaverMain(PlatformInstance instance, int32_t showCommand) {
    moduleInstance = instance;
    const PlatformLaunch launch = PlatformGetLaunch();
    if (launch.help || launch.version) return WriteHelpAndVersion(launch);
    if (launch.done) return launch.exitCode;
    if (launch.failure != nullptr) PlatformLogError("%s", launch.failure);
    currentMode = ModeOf(launch.mode);
    currentLock = SessionLock();
    currentLock.active = currentMode == SaverMode::ScreenSaver && launch.options.lock;

    // Every mode reads both groups, even one that then does nothing.
    settings = new SaverSettings();
    settings->ReadDesktopSettings();
    settings->ReadOwnSettings();

    const PlatformWindow window = launch.window;
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
    // A lock's caller learns whether it ended by unlocking, even when its line could not run.
    return launch.options.lock && !currentLock.unlocked ? 1 : 0;
}
