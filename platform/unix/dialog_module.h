#pragma once

// The seam between the saver and its dialog module (brisalo-dialogs.so, built from
// gtk_dialogs.cpp). GTK lives only in the module, which is opened on the first dialog or
// message box, so a saver run never maps it. Both sides are built from this header; the
// version guards against a module left over from another build.
#include <csignal>
#include <cstdint>

#include "platform/platform.h"

constexpr int32_t kDialogModuleVersion = 1;
constexpr const char* kDialogModuleFile = "brisalo-dialogs.so";
constexpr const char* kDialogModuleEntry = "BrisaloOpenDialogModule";

// What the module may use of the saver: the module links nothing of ours.
struct DialogModuleHost {
    volatile sig_atomic_t* stopRequested;  // set by a stop signal; modal loops end on it
    void (*installErrorHandlers)(bool chainPrevious);
    void (*logError)(const char* format, ...);
};

// The dialog operations, with the meaning of their Platform* namesakes.
struct DialogModule {
    intptr_t (*dialogBox)(const DialogTemplate& dialog, PlatformWindow owner, DialogProcedure procedure);
    void (*endDialog)(PlatformWindow dialog, intptr_t result);
    void (*checkDlgButton)(PlatformWindow dialog, int32_t id, bool checked);
    bool (*isDlgButtonChecked)(PlatformWindow dialog, int32_t id);
    void (*messageBox)(const char* text, const char* caption);  // shows it; the text is logged already
};

// The module's one exported symbol: fills *module and answers true when version matches.
using OpenDialogModuleFunction = bool (*)(int32_t version, const DialogModuleHost* host, DialogModule* module);
