#pragma once

#include <cstdint>

#include "platform/platform.h"

// Where the settings live under HKEY_CURRENT_USER.
constexpr const char* kDesktopSaverKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Screen Savers";
constexpr const char* kPasswordDelayValue = "Password Delay";
constexpr const char* kMouseThresholdValue = "Mouse Threshold";
constexpr const char* kOwnSettingsKey = "Software\\Vormix\\Talvane";
constexpr const char* kUseMirrorsValue = "UseMirrors";

// The shell's settings and the close state of a run; one per process, reached through
// `settings`.
struct SaverSettings {
    PlatformWindow window = 0;
    uint32_t passwordDelay = 15;  // seconds
    int32_t mouseThreshold = 50;  // pixels along either axis
    PlatformPoint cursorOrigin;   // screen pixels, set when the window is created
    uint32_t startTick = 0;       // ms, set when the window is created
    int32_t passwordDialogUp = 0;
    int32_t startFailed = 0;  // its box is up: only the box's OK ends the run
    int32_t closeRequested = 0;
    int32_t useMirrors = 1;

    // Fill the record from the settings store; anything missing or unreadable leaves the
    // default.
    void ReadDesktopSettings();
    void ReadOwnSettings();
    // Stores useMirrors. False when nothing was stored; PlatformGetSettingsError() says why.
    bool WriteOwnSettings();

    // Close state (close_state.cpp).
    void RequestClose();
    void BeginPasswordDialog();
    void EndPasswordDialog();
};
