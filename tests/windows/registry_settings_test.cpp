// The settings and the configuration dialog against the real registry of a Wine prefix
// made for the test run. Each test starts with both keys gone.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/fake/fake_platform.h"
#include "shell/config_dialog.h"
#include "shell/saver_state.h"
#include "shell/settings.h"

namespace {

const char kDesktopKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Screen Savers";
const char kOwnKey[] = "Software\\Vormix\\Talvane";

class RegistrySettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetFakePlatform();
        RegDeleteKeyA(HKEY_CURRENT_USER, kDesktopKey);
        RegDeleteKeyA(HKEY_CURRENT_USER, kOwnKey);
        settings = new SaverSettings();
    }
    void TearDown() override {
        delete settings;
        settings = nullptr;
        RegDeleteKeyA(HKEY_CURRENT_USER, kDesktopKey);
        RegDeleteKeyA(HKEY_CURRENT_USER, kOwnKey);
    }

    static void put(const char* path, const char* name, DWORD type, const void* data, DWORD size) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
        RegCloseKey(key);
    }
    static void putDword(const char* path, const char* name, DWORD value) {
        put(path, name, REG_DWORD, &value, sizeof value);
    }
    // The stored UseMirrors as "type value", or "none".
    static std::string storedMirrors() {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kOwnKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return "none";
        DWORD type = 0;
        DWORD value = 0;
        DWORD size = sizeof value;
        const LONG result =
            RegQueryValueExA(key, "UseMirrors", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
        RegCloseKey(key);
        if (result != ERROR_SUCCESS) return "none";
        return std::to_string(type) + " " + std::to_string(value) + " " + std::to_string(size);
    }
    static void readBoth() {
        settings->passwordDelay = 999;
        settings->mouseThreshold = 999;
        settings->useMirrors = 999;
        settings->ReadDesktopSettings();
        settings->ReadOwnSettings();
    }
};

TEST_F(RegistrySettingsTest, NoKeysGiveTheDefaultsAndReadingCreatesNothing) {
    readBoth();
    EXPECT_EQ(settings->passwordDelay, 15u);
    EXPECT_EQ(settings->mouseThreshold, 50);
    EXPECT_EQ(settings->useMirrors, 1);
    EXPECT_EQ(storedMirrors(), "none");
}

TEST_F(RegistrySettingsTest, StoredValuesAreReadAsFourByteNumbers) {
    putDword(kDesktopKey, "Password Delay", 30);
    putDword(kDesktopKey, "Mouse Threshold", 0xFFFFFFFF);
    putDword(kOwnKey, "UseMirrors", 0);
    readBoth();
    EXPECT_EQ(settings->passwordDelay, 30u);
    EXPECT_EQ(settings->mouseThreshold, -1);
    EXPECT_EQ(settings->useMirrors, 0);

    // The type is not examined, but a value longer than four bytes is not taken.
    put(kDesktopKey, "Password Delay", REG_SZ, "1234", 5);
    put(kOwnKey, "UseMirrors", REG_BINARY, "\x07\x00\x00\x00", 4);
    readBoth();
    EXPECT_EQ(settings->passwordDelay, 15u);
    EXPECT_EQ(settings->useMirrors, 7);
}

TEST_F(RegistrySettingsTest, OkCreatesTheKeyWithADwordAndCancelStoresNothing) {
    settings->ReadOwnSettings();
    ConfigDialogProc(kFakeDialog, WM_INITDIALOG, 0, 0);
    ConfigDialogProc(kFakeDialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(fakePlatform.dialogResult, 2);
    EXPECT_EQ(storedMirrors(), "none");

    ConfigDialogProc(kFakeDialog, WM_INITDIALOG, 0, 0);
    ConfigDialogProc(kFakeDialog, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(fakePlatform.dialogResult, 1);
    EXPECT_EQ(storedMirrors(), std::to_string(REG_DWORD) + " 1 4");

    PlatformCheckDlgButton(kFakeDialog, kUseMirrorsCheckBox, false);
    ConfigDialogProc(kFakeDialog, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(storedMirrors(), std::to_string(REG_DWORD) + " 0 4");
}

}  // namespace
