#pragma once

#include <cstdint>

#include "platform/platform.h"

constexpr int32_t kConfigDialogId = 104;
constexpr int32_t kUseMirrorsCheckBox = 1001;

// "Config dialog": the template the platform builds the configuration dialog from.
extern const DialogTemplate configDialogTemplate;

// The saver's description in the host's list of savers (string 1); the saver never reads it.
extern const char* const kSaverDescription;

// OK stores the mirrors setting (a failed save is shown in an "Error" box) and ends the
// dialog with 1; Cancel, the close box and Escape end it with 2 and store nothing.
intptr_t ConfigDialogProc(PlatformWindow dialog, uint32_t message, uintptr_t wParam, intptr_t lParam);
