#include "shell/config_dialog.h"
#include "platform/messages.h"

namespace {

#define SAVER_DESCRIPTION(id, text)
#define CONFIG_DIALOG(id, caption, width, height)
#define CONFIG_CONTROL(id, kind, text, x, y, width, height) {id, DialogControlKind::kind, text, x, y, width, height},
constexpr DialogControl kControls[] = {
#include "shell/saver_resources.def"
};
#undef SAVER_DESCRIPTION
#undef CONFIG_DIALOG
#undef CONFIG_CONTROL

#define SAVER_DESCRIPTION(id, text)
#define CONFIG_DIALOG(id, caption, width, height) {id, caption, width, height},
#define CONFIG_CONTROL(id, kind, text, x, y, width, height)
struct DialogFrame {
    int32_t id;
    const char* caption;
    int16_t width, height;
};
constexpr DialogFrame kFrames[] = {
#include "shell/saver_resources.def"
};
#undef SAVER_DESCRIPTION
#undef CONFIG_DIALOG

#define SAVER_DESCRIPTION(id, text) text
#define CONFIG_DIALOG(id, caption, width, height)
constexpr const char* kDescription =
#include "shell/saver_resources.def"
    ;
#undef SAVER_DESCRIPTION
#undef CONFIG_DIALOG
#undef CONFIG_CONTROL

static_assert(sizeof kFrames / sizeof kFrames[0] == 1 && kFrames[0].id == kConfigDialogId,
              "the dialog's resource id");
static_assert(kControls[5].id == kUseMirrorsCheckBox && kControls[5].kind == DialogControlKind::CheckBox,
              "the check box the dialog procedure reads");

}  // namespace

const DialogTemplate configDialogTemplate = {
    kFrames[0].caption, kFrames[0].width, kFrames[0].height, kControls,
    static_cast<int32_t>(sizeof kControls / sizeof kControls[0]),
};

const char* const kSaverDescription = kDescription;
