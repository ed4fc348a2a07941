#include "shell/config_dialog.h"

#include <dirent.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

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

TEST_F(ConfigDialogTest, AFailedSaveIsShownAndKeepsTheOldFile) {
    const std::string folder = root + "/brisalo";
    const std::string file = folder + "/settings.reg";
    const std::string old = "REGEDIT4\n\n; the user's own\n";
    mkdir(folder.c_str(), 0755);
    std::ofstream(file) << old;

    // A file size limit fails the write as a full disk would, whatever the permissions.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 16;
    void (*oldHandler)(int) = signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    send(WM_INITDIALOG);
    PlatformCheckDlgButton(kFakeDialog, kUseMirrorsCheckBox, false);
    send(WM_COMMAND, IDOK);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &saved), 0);
    signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(fakePlatform.dialogResult, 1);
    EXPECT_EQ(fakePlatform.messageBoxes,
              std::vector<std::string>{"Error: The settings could not be saved to " + file + ": File too large"});
    EXPECT_EQ(stored(), old);
    std::vector<std::string> names;
    DIR* listing = opendir(folder.c_str());
    ASSERT_NE(listing, nullptr);
    while (dirent* entry = readdir(listing)) {
        if (entry->d_name[0] != '.' || std::string(entry->d_name).size() > 2) names.push_back(entry->d_name);
    }
    closedir(listing);
    EXPECT_EQ(names, std::vector<std::string>{"settings.reg"}) << "no temporary file is left behind";

    // A folder where the file should be.
    fakePlatform.messageBoxes.clear();
    ASSERT_EQ(unlink(file.c_str()), 0);
    ASSERT_EQ(mkdir(file.c_str(), 0755), 0);
    send(WM_COMMAND, IDOK);
    EXPECT_EQ(fakePlatform.dialogResult, 1);
    EXPECT_EQ(fakePlatform.messageBoxes,
              std::vector<std::string>{"Error: The settings could not be saved to " + file + ": Is a directory"});

    // No folder to save in: the sentence still names where the file belongs.
    fakePlatform.messageBoxes.clear();
    const char* oldHome = getenv("HOME");
    const std::string savedHome = oldHome != nullptr ? oldHome : "";
    unsetenv("XDG_CONFIG_HOME");
    setenv("HOME", "relative", 1);
    send(WM_COMMAND, IDOK);
    setenv("HOME", savedHome.c_str(), 1);
    EXPECT_EQ(fakePlatform.messageBoxes,
              std::vector<std::string>{"Error: The settings could not be saved to ${XDG_CONFIG_HOME:-~/.config}/"
                                       "brisalo/settings.reg: neither XDG_CONFIG_HOME nor HOME is an absolute path"});
}

}  // namespace
