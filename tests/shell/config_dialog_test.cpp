#include "shell/config_dialog.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/fake/fake_platform.h"
#include "platform/messages.h"
#include "shell/saver_state.h"
#include "shell/settings.h"

namespace {

class ConfigDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetFakePlatform();
        char pattern[] = "/tmp/brisalo-dialog-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        root = pattern;
        setenv("XDG_CONFIG_HOME", root.c_str(), 1);
        settings = new SaverSettings();
    }
    void TearDown() override {
        delete settings;
        settings = nullptr;
        ASSERT_EQ(system(("rm -rf '" + root + "'").c_str()), 0);
    }

    intptr_t send(uint32_t message, uintptr_t wParam = 0) { return ConfigDialogProc(kFakeDialog, message, wParam, 0); }
    std::string stored() const {
        std::ifstream in(root + "/brisalo/settings.reg");
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    bool checked() const { return PlatformIsDlgButtonChecked(kFakeDialog, kUseMirrorsCheckBox); }

    std::string root;
};

TEST_F(ConfigDialogTest, OpeningMarksTheBoxFromTheSetting) {
    settings->useMirrors = 0;
    EXPECT_NE(send(WM_INITDIALOG), 0);
    EXPECT_FALSE(checked());
    settings->useMirrors = 5;
    send(WM_INITDIALOG);
    EXPECT_TRUE(checked());
}

TEST_F(ConfigDialogTest, OkStoresTheMarkAndEndsWithOne) {
    settings->useMirrors = 1;
    send(WM_INITDIALOG);
    PlatformCheckDlgButton(kFakeDialog, kUseMirrorsCheckBox, false);
    EXPECT_EQ(send(WM_COMMAND, IDOK), 0);
    EXPECT_EQ(fakePlatform.dialogResult, 1);
    EXPECT_EQ(settings->useMirrors, 0);
    EXPECT_NE(stored().find("\"UseMirrors\"=dword:00000000"), std::string::npos) << stored();
}

TEST_F(ConfigDialogTest, AnUntouchedBoxKeepsTheStoredNumber) {
    settings->useMirrors = 5;
    send(WM_INITDIALOG);
    send(WM_COMMAND, (0u << 16) | IDOK);  // BN_CLICKED in the high word
    EXPECT_NE(stored().find("\"UseMirrors\"=dword:00000005"), std::string::npos) << stored();
}

TEST_F(ConfigDialogTest, CancelAndOtherControlsStoreNothing) {
    send(WM_INITDIALOG);
    PlatformCheckDlgButton(kFakeDialog, kUseMirrorsCheckBox, false);
    EXPECT_EQ(send(WM_COMMAND, kUseMirrorsCheckBox), 0);
    EXPECT_EQ(fakePlatform.dialogResult, 0) << "a click on the box does not end the dialog";
    EXPECT_EQ(send(WM_COMMAND, IDCANCEL), 0);
    EXPECT_EQ(fakePlatform.dialogResult, 2);
    EXPECT_EQ(settings->useMirrors, 1);
    EXPECT_NE(access((root + "/brisalo").c_str(), F_OK), 0);
    EXPECT_EQ(send(0x0200), 0);
}

}  // namespace
