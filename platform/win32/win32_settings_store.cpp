// Settings under HKEY_CURRENT_USER in the registry. Keys are opened with full access even
// for reading, so a key that refuses it leaves the defaults.
#include <windows.h>

#include "platform/platform.h"

struct SettingsKey {
    HKEY key;
};

SettingsKey* PlatformOpenSettingsKey(const char* path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return nullptr;
    return new SettingsKey{key};
}

SettingsKey* PlatformCreateSettingsKey(const char* path) {
    HKEY key = nullptr;
    DWORD disposition = 0;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                        &key, &disposition) != ERROR_SUCCESS) {
        return nullptr;
    }
    return new SettingsKey{key};
}

bool PlatformQuerySettingValue(SettingsKey* key, const char* name, uint8_t* data, uint32_t* size) {
    DWORD length = *size;
    if (RegQueryValueExA(key->key, name, nullptr, nullptr, data, &length) != ERROR_SUCCESS) return false;
    *size = length;
    return true;
}

bool PlatformSetSettingDword(SettingsKey* key, const char* name, uint32_t value) {
    const DWORD dword = value;
    return RegSetValueExA(key->key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dword), sizeof dword) ==
           ERROR_SUCCESS;
}

void PlatformCloseSettingsKey(SettingsKey* key) {
    if (key == nullptr) return;
    RegCloseKey(key->key);
    delete key;
}
