// Settings under HKEY_CURRENT_USER in the registry. Keys are opened with full access even
// for reading, so a key that refuses it leaves the defaults.
#include <windows.h>

#include <cstdio>
#include <string>

#include "platform/platform.h"

struct SettingsKey {
    HKEY key;
    std::string path;
};

namespace {

char lastError[512] = "";

// Registry calls return their error instead of setting the thread's last error.
void NoteFailure(const std::string& path, LONG result) {
    char reason[256] = "";
    if (FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                       static_cast<DWORD>(result), 0, reason, sizeof reason, nullptr) == 0) {
        std::snprintf(reason, sizeof reason, "error %ld", static_cast<long>(result));
    }
    // FormatMessage ends its text with a line break.
    std::string text = reason;
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.pop_back();
    std::snprintf(lastError, sizeof lastError, "HKEY_CURRENT_USER\\%s: %s", path.c_str(), text.c_str());
}

}  // namespace

SettingsKey* PlatformOpenSettingsKey(const char* path) {
    HKEY key = nullptr;
    const LONG result = RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_ALL_ACCESS, &key);
    if (result != ERROR_SUCCESS) {
        NoteFailure(path, result);
        return nullptr;
    }
    return new SettingsKey{key, path};
}

SettingsKey* PlatformCreateSettingsKey(const char* path) {
    HKEY key = nullptr;
    DWORD disposition = 0;
    const LONG result = RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                        KEY_ALL_ACCESS, nullptr, &key, &disposition);
    if (result != ERROR_SUCCESS) {
        NoteFailure(path, result);
        return nullptr;
    }
    return new SettingsKey{key, path};
}

bool PlatformQuerySettingValue(SettingsKey* key, const char* name, uint8_t* data, uint32_t* size) {
    DWORD length = *size;
    if (RegQueryValueExA(key->key, name, nullptr, nullptr, data, &length) != ERROR_SUCCESS) return false;
    *size = length;
    return true;
}

bool PlatformSetSettingDword(SettingsKey* key, const char* name, uint32_t value) {
    const DWORD dword = value;
    const LONG result =
        RegSetValueExA(key->key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dword), sizeof dword);
    if (result != ERROR_SUCCESS) {
        NoteFailure(key->path, result);
        return false;
    }
    return true;
}

void PlatformCloseSettingsKey(SettingsKey* key) {
    if (key == nullptr) return;
    RegCloseKey(key->key);
    delete key;
}

const char* PlatformGetSettingsError() { return lastError; }
