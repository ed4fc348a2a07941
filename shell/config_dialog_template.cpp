#include "shell/config_dialog.h"
#include "platform/messages.h"

namespace {

// Positions and sizes in dialog units.
const DialogControl kControls[] = {
    {IDOK, DialogControlKind::DefaultButton, "OK", 172, 4, 50, 14},
    {IDCANCEL, DialogControlKind::Button, "Cancel", 172, 23, 50, 14},
    {-1, DialogControlKind::Text, "Faces are generated pictures.", 7, 78, 100, 8},
    {-1, DialogControlKind::Text, "Brisalo turns", 7, 55, 53, 8},
    {-1, DialogControlKind::Text, "a kaleidoscope", 7, 63, 49, 8},
    {kUseMirrorsCheckBox, DialogControlKind::CheckBox, "Use Mirrors", 9, 14, 52, 10},
    {-1, DialogControlKind::Text, "Version 1.0", 7, 34, 36, 8},
};

}  // namespace

const DialogTemplate configDialogTemplate = {
    "Config dialog", 228, 102, kControls, static_cast<int32_t>(sizeof kControls / sizeof kControls[0]),
};

const char* const kSaverDescription = "Brisalo screen saver";
