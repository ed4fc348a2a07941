#include "shell/settings.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "platform/unix/settings_store.h"

namespace {

// Settings in a fresh XDG_CONFIG_HOME of their own, read through the real settings file.
class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/brisalo-settings-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        root = pattern;
        setenv("XDG_CONFIG_HOME", root.c_str(), 1);
        file = root + "/brisalo/settings.reg";
    }
    void TearDown() override {
        const std::string command = "rm -rf '" + root + "'";
        ASSERT_EQ(system(command.c_str()), 0);
    }

    void write(const std::string& text) {
        mkdir((root + "/brisalo").c_str(), 0755);
        std::ofstream(file) << text;
        ForgetSettingsSnapshot();
    }
    std::string read() const {
        std::ifstream in(file);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    bool exists() const { return access(file.c_str(), F_OK) == 0; }
    SaverSettings readBoth() {
        SaverSettings s;
        s.passwordDelay = 999;  // the reads set their defaults themselves
        s.mouseThreshold = 999;
        s.useMirrors = 999;
        s.passwordDialogUp = 1;
        s.ReadDesktopSettings();
        s.ReadOwnSettings();
        return s;
    }

    std::string root;
    std::string file;
};

const char kDesktopSection[] = "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Screen Savers]\n";
const char kOwnSection[] = "[HKEY_CURRENT_USER\\Software\\Vormix\\Talvane]\n";

TEST_F(SettingsTest, NoFileGivesTheDefaultsAndReadingWritesNothing) {
    const SaverSettings s = readBoth();
    EXPECT_EQ(s.passwordDelay, 15u);
    EXPECT_EQ(s.mouseThreshold, 50);
    EXPECT_EQ(s.useMirrors, 1);
    EXPECT_EQ(s.passwordDialogUp, 0);
    EXPECT_FALSE(exists());
    EXPECT_NE(access((root + "/brisalo").c_str(), F_OK), 0);
}

TEST_F(SettingsTest, StoredValuesAreTaken) {
    write(std::string("REGEDIT4\n\n") + kDesktopSection + "\"Password Delay\"=dword:0000003c\n" +
          "\"Mouse Threshold\"=dword:ffffffff\n\n" + kOwnSection + "\"UseMirrors\"=dword:00000000\n");
    SaverSettings s = readBoth();
    EXPECT_EQ(s.passwordDelay, 60u);
    EXPECT_EQ(s.mouseThreshold, -1);
    EXPECT_EQ(s.useMirrors, 0);

    write(std::string("REGEDIT4\r\n") + kOwnSection + "\"usemirrors\"=dword:7\r\n");  // names ignore case
    s = readBoth();
    EXPECT_EQ(s.useMirrors, 7);
}

TEST_F(SettingsTest, ValuesThatDoNotFitInFourBytesLeaveTheDefault) {
    write(std::string("REGEDIT4\n") + kDesktopSection + "\"Password Delay\"=\"1234\"\n" +
          "\"Mouse Threshold\"=hex:01,02,03,04,05\n" + kOwnSection + "\"UseMirrors\"=hex(b):00,00,00,00,00,00,00,00\n");
    const SaverSettings s = readBoth();
    EXPECT_EQ(s.passwordDelay, 15u);
    EXPECT_EQ(s.mouseThreshold, 50);
    EXPECT_EQ(s.useMirrors, 1);
}

TEST_F(SettingsTest, ShorterValuesFillTheLowBytesAndTheRestIsZero) {
    write(std::string("REGEDIT4\n") + kDesktopSection + "\"Password Delay\"=\"12\"\n" +
          "\"Mouse Threshold\"=hex:2c,01\n" + kOwnSection + "\"UseMirrors\"=hex:\n");
    const SaverSettings s = readBoth();
    EXPECT_EQ(s.passwordDelay, 0x3231u);  // '1', '2', terminator: the type is not examined
    EXPECT_EQ(s.mouseThreshold, 300);
    EXPECT_EQ(s.useMirrors, 0);
}

TEST_F(SettingsTest, MalformedLinesAreNotTaken) {
    write(std::string("REGEDIT4\n") + kDesktopSection + "\"Password Delay\"=dword:12345678901\n" +
          "\"Mouse Threshold\"=dword:zz\n" + "\"Mouse Threshold\n" + "garbage line\n" + kOwnSection +
          "\"UseMirrors\"=hex:1,,2\n" + "[HKEY_CURRENT_USER\\Software\\Vormix\n" + "\"UseMirrors\"=dword:00000000\n");
    const SaverSettings s = readBoth();
    EXPECT_EQ(s.passwordDelay, 15u);
    EXPECT_EQ(s.mouseThreshold, 50);
    EXPECT_EQ(s.useMirrors, 1);
}

TEST_F(SettingsTest, ValuesOutsideTheirKeyDoNotCount) {
    write(std::string("REGEDIT4\n\"UseMirrors\"=dword:00000000\n") +
          "[HKEY_LOCAL_MACHINE\\Software\\Vormix\\Talvane]\n\"UseMirrors\"=dword:00000000\n" +
          "[HKEY_CURRENT_USER\\Software\\Vormix\\Talvane\\Sub]\n\"UseMirrors\"=dword:00000000\n");
    EXPECT_EQ(readBoth().useMirrors, 1);
}

TEST_F(SettingsTest, OkWithoutAFileCreatesTheKeyAndValue) {
    SaverSettings s = readBoth();
    s.WriteOwnSettings();
    EXPECT_EQ(read(), std::string("REGEDIT4\n\n") + kOwnSection + "\"UseMirrors\"=dword:00000001\n");
    s.useMirrors = 0;
    s.WriteOwnSettings();
    EXPECT_EQ(readBoth().useMirrors, 0);
    EXPECT_EQ(read(), std::string("REGEDIT4\n\n") + kOwnSection + "\"UseMirrors\"=dword:00000000\n");
}

TEST_F(SettingsTest, WritingKeepsEverythingElseInTheFile) {
    const std::string before = std::string("REGEDIT4\n\n; kept as it is\n") + kDesktopSection +
                               "\"Mouse Threshold\"=dword:00000010\n\n" + kOwnSection + "\"Other\"=\"text\"\n" +
                               "\"UseMirrors\"=hex:01,\\\n  00,00,00\n" + "\"After\"=dword:00000002\n";
    write(before);
    SaverSettings s;
    s.useMirrors = 0;
    s.WriteOwnSettings();
    const std::string after = std::string("REGEDIT4\n\n; kept as it is\n") + kDesktopSection +
                              "\"Mouse Threshold\"=dword:00000010\n\n" + kOwnSection + "\"Other\"=\"text\"\n" +
                              "\"UseMirrors\"=dword:00000000\n" + "\"After\"=dword:00000002\n";
    EXPECT_EQ(read(), after);

    // A key without the value gets it at the end of its section.
    write(std::string("REGEDIT4\n\n") + kOwnSection + "\"Other\"=\"text\"\n\n" + kDesktopSection);
    s.useMirrors = 1;
    s.WriteOwnSettings();
    EXPECT_EQ(read(), std::string("REGEDIT4\n\n") + kOwnSection + "\"Other\"=\"text\"\n" +
                          "\"UseMirrors\"=dword:00000001\n\n" + kDesktopSection);
}

TEST_F(SettingsTest, WhatSitsAtThePathCannotStallOrExhaustTheStart) {
    mkdir((root + "/brisalo").c_str(), 0755);
    alarm(20);  // a read that blocks ends the test run instead of hanging it
    struct Case {
        const char* what;
        std::function<void()> make;
        const char* reason;
    };
    const std::string ownValueOff = std::string("REGEDIT4\n") + kOwnSection + "\"UseMirrors\"=dword:00000000\n";
    const Case cases[] = {
        {"a FIFO", [&] { ASSERT_EQ(mkfifo(file.c_str(), 0644), 0); }, "not a regular file"},
        {"a link to /dev/zero", [&] { ASSERT_EQ(symlink("/dev/zero", file.c_str()), 0); }, "not a regular file"},
        {"a folder", [&] { ASSERT_EQ(mkdir(file.c_str(), 0755), 0); }, "Is a directory"},
        {"2 MiB", [&] { std::ofstream(file) << ownValueOff << std::string(2 << 20, '\n'); }, "larger than 1 MiB"},
    };
    for (const Case& test : cases) {
        ASSERT_EQ(system(("rm -rf '" + file + "'").c_str()), 0);
        test.make();
        ForgetSettingsSnapshot();
        testing::internal::CaptureStderr();
        const SaverSettings s = readBoth();
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(s.useMirrors, 1) << test.what;
        EXPECT_EQ(s.passwordDelay, 15u) << test.what;
        // One line for the whole start, however many keys are read.
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << test.what << ": " << said;
        EXPECT_EQ(said.rfind("brisalo: ", 0), 0u) << said;
        EXPECT_NE(said.find(file), std::string::npos) << said;
        EXPECT_NE(said.find(test.reason), std::string::npos) << test.what << ": " << said;
    }
    alarm(0);

    // Just under the bound is an ordinary file.
    ASSERT_EQ(unlink(file.c_str()), 0);
    write(ownValueOff + std::string((1 << 20) - 100, '\n'));
    EXPECT_EQ(readBoth().useMirrors, 0);
}

TEST_F(SettingsTest, ASettingsFileThatIsALinkIsWrittenThrough) {
    mkdir((root + "/brisalo").c_str(), 0755);
    mkdir((root + "/dotfiles").c_str(), 0755);
    std::ofstream(root + "/dotfiles/brisalo.reg") << "REGEDIT4\n\n; mine\n";
    ASSERT_EQ(symlink("../dotfiles/brisalo.reg", file.c_str()), 0);
    SaverSettings s;
    s.useMirrors = 0;
    EXPECT_TRUE(s.WriteOwnSettings());
    struct stat info{};
    ASSERT_EQ(lstat(file.c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    EXPECT_EQ(read(), std::string("REGEDIT4\n\n; mine\n\n") + kOwnSection + "\"UseMirrors\"=dword:00000000\n");
    ForgetSettingsSnapshot();
    EXPECT_EQ(readBoth().useMirrors, 0);
}

TEST_F(SettingsTest, AFailedWriteStoresNothing) {
    // Root ignores permissions, so the directory is made impossible instead: its parent is
    // a regular file.
    std::ofstream(root + "/blocker") << "not a directory";
    setenv("XDG_CONFIG_HOME", (root + "/blocker").c_str(), 1);
    SaverSettings s;
    s.useMirrors = 0;
    EXPECT_FALSE(s.WriteOwnSettings());
    EXPECT_EQ(std::string(PlatformGetSettingsError()), root + "/blocker/brisalo/settings.reg: Not a directory");
    struct stat info{};
    ASSERT_EQ(stat((root + "/blocker").c_str(), &info), 0);
    EXPECT_TRUE(S_ISREG(info.st_mode));
    EXPECT_NE(access((root + "/blocker/brisalo").c_str(), F_OK), 0);

    // Nor does a file that cannot be read get replaced by one that lost its contents.
    setenv("XDG_CONFIG_HOME", root.c_str(), 1);
    mkdir((root + "/brisalo").c_str(), 0755);
    mkdir(file.c_str(), 0755);  // a directory where the file should be
    EXPECT_FALSE(s.WriteOwnSettings());
    EXPECT_EQ(std::string(PlatformGetSettingsError()), file + ": Is a directory");
    ASSERT_EQ(stat(file.c_str(), &info), 0);
    EXPECT_TRUE(S_ISDIR(info.st_mode));
    EXPECT_EQ(readBoth().useMirrors, 1);
}

TEST_F(SettingsTest, TheFileFollowsHomeWhenXdgConfigHomeIsUnsetOrRelative) {
    const std::string home = root + "/home";
    mkdir(home.c_str(), 0755);
    const char* oldHome = getenv("HOME");
    const std::string savedHome = oldHome != nullptr ? oldHome : "";
    setenv("HOME", home.c_str(), 1);
    for (const char* config : {static_cast<const char*>(nullptr), "", "relative/dir"}) {
        if (config == nullptr) {
            unsetenv("XDG_CONFIG_HOME");
        } else {
            setenv("XDG_CONFIG_HOME", config, 1);
        }
        SaverSettings s;
        s.WriteOwnSettings();
        EXPECT_EQ(access((home + "/.config/brisalo/settings.reg").c_str(), F_OK), 0);
        unlink((home + "/.config/brisalo/settings.reg").c_str());
    }
    setenv("HOME", savedHome.c_str(), 1);
}

}  // namespace
