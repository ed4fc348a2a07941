#include "shell/saver_main.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <string>

#include "platform/fake/fake_platform.h"
#include "shell/config_dialog.h"
#include "platform/messages.h"
#include "shell/saver_state.h"
#include "shell/settings.h"
#include "tests/shell/fake_renderer.h"

namespace {

// Whole runs of the entry on the fake platform, with a settings file that turns the
// mirrors off so that the run shows whether it was read first.
class SaverMainTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetFakePlatform();
        ResetFakeRenderer();
        char pattern[] = "/tmp/brisalo-main-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        root = pattern;
        setenv("XDG_CONFIG_HOME", root.c_str(), 1);
        mkdir((root + "/brisalo").c_str(), 0755);
        std::ofstream(root + "/brisalo/settings.reg")
            << "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Vormix\\Talvane]\n\"UseMirrors\"=dword:00000000\n"
               "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Screen Savers]\n"
               "\"Mouse Threshold\"=dword:00000007\n";
        fakePlatform.foregroundWindow = 0x4A0001;
        fakePlatform.hostWindows = {528};
    }
    void TearDown() override { ASSERT_EQ(system(("rm -rf '" + root + "'").c_str()), 0); }

    void run(const std::string& arguments) {
        fakePlatform.commandLine = "\"C:\\Saver Dir\\brisalo.scr\"" + arguments;
        SaverMain(0x400000, 10);
    }
    bool journaled(const std::string& prefix) const {
        return std::any_of(fakePlatform.journal.begin(), fakePlatform.journal.end(),
                           [&](const std::string& e) { return e.compare(0, prefix.size(), prefix) == 0; });
    }

    std::string root;
};

TEST_F(SaverMainTest, FullScreenReadsTheSettingsFirst) {
    fakeRenderer.onFrame = [] {
        EXPECT_EQ(settings->mouseThreshold, 7);
        fakePlatform.input(WM_KEYDOWN, VK_RETURN);
    };
    run(" /s");
    EXPECT_EQ(currentMode, SaverMode::ScreenSaver);
    EXPECT_EQ(moduleInstance, 0x400000u);
    EXPECT_EQ(fakeRenderer.frameFlags, std::vector<uint32_t>{0});
    EXPECT_EQ(fakePlatform.shownWith, 10);
    EXPECT_EQ(settings, nullptr);
}

TEST_F(SaverMainTest, PreviewDrawsInTheHostWindow) {
    fakeRenderer.onFrame = [] { PlatformDestroyWindow(fakePlatform.window); };
    run(" /p 528");
    EXPECT_EQ(currentMode, SaverMode::Preview);
    EXPECT_EQ(fakePlatform.createdParent, 528u);
}

TEST_F(SaverMainTest, ConfigureShowsDialog104OwnedAsTheCommandLineSays) {
    fakePlatform.dialogScript = [](PlatformWindow dialog, DialogProcedure procedure) {
        EXPECT_FALSE(PlatformIsDlgButtonChecked(dialog, kUseMirrorsCheckBox)) << "mirrors were off";
        procedure(dialog, WM_COMMAND, IDCANCEL, 0);
    };
    run("");
    run(" /c");
    run(" /c:528");
    std::vector<std::string> dialogs;
    for (const std::string& entry : fakePlatform.journal) {
        if (entry.compare(0, 9, "DialogBox") == 0) dialogs.push_back(entry);
    }
    EXPECT_EQ(dialogs, (std::vector<std::string>{"DialogBox 104 Config dialog 0x0",
                                                 "DialogBox 104 Config dialog 0x4a0001",
                                                 "DialogBox 104 Config dialog 0x210"}));
}

TEST_F(SaverMainTest, ChangePasswordCallsTheSystemHookWhereThereIsOne) {
    run(" /a 528");
    EXPECT_TRUE(journaled("LoadLibrary MPR.DLL"));
    EXPECT_TRUE(fakePlatform.changePasswordParents.empty());

    fakePlatform.libraries = {"MPR.DLL"};
    run(" /a 528");
    EXPECT_TRUE(fakePlatform.changePasswordParents.empty());
    EXPECT_TRUE(journaled("FreeLibrary"));

    fakePlatform.libraries = {"MPR.DLL", "PwdChangePasswordA"};
    run(" -A:528");
    EXPECT_EQ(fakePlatform.changePasswordParents, std::vector<PlatformWindow>{528});
    EXPECT_TRUE(journaled("PwdChangePasswordA SCRSAVE"));
}

TEST_F(SaverMainTest, AnUnknownSwitchDoesNothing) {
    for (const char* arguments : {" /x", " /", " -", " //s"}) {
        fakePlatform.journal.clear();
        run(arguments);
        EXPECT_EQ(currentMode, SaverMode::Unset);
        EXPECT_TRUE(fakePlatform.journal.empty()) << arguments << ": " << fakePlatform.journal.front();
        EXPECT_EQ(settings, nullptr);
    }
}

// A caller of the lock (swayidle, `brisalo --lock -f && ...`) must not take a line that
// could not run for a locked session.
TEST_F(SaverMainTest, ALockLineThatCannotRunEndsWith1) {
    PlatformLaunch launch;
    launch.options.lock = true;
    launch.failure = "--lock and --layer are runs of their own";
    fakePlatform.launch = launch;
    testing::internal::CaptureStderr();
    EXPECT_EQ(SaverMain(0x400000, 10), 1);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("runs of their own"), std::string::npos);
    EXPECT_FALSE(journaled("CreateWindow"));
}

}  // namespace
