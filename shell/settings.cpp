#include "shell/settings.h"

namespace {

// A value takes only when it fits in four bytes; a shorter one fills the low bytes and
// leaves the rest zero.
bool QueryDword(SettingsKey* key, const char* name, uint32_t* value) {
    uint8_t buffer[4] = {};
    uint32_t size = sizeof buffer;
    if (!PlatformQuerySettingValue(key, name, buffer, &size)) return false;
    *value = uint32_t{buffer[0]} | uint32_t{buffer[1]} << 8 | uint32_t{buffer[2]} << 16 |
             uint32_t{buffer[3]} << 24;
    return true;
}

}  // namespace

void SaverSettings::ReadDesktopSettings() {
    passwordDelay = 15;
    mouseThreshold = 50;
    passwordDialogUp = 0;

    SettingsKey* key = PlatformOpenSettingsKey(kDesktopSaverKey);
    if (key == nullptr) return;
    uint32_t value = 0;
    if (QueryDword(key, kPasswordDelayValue, &value)) passwordDelay = value;
    if (QueryDword(key, kMouseThresholdValue, &value)) mouseThreshold = static_cast<int32_t>(value);
    PlatformCloseSettingsKey(key);
}

void SaverSettings::ReadOwnSettings() {
    useMirrors = 1;

    SettingsKey* key = PlatformOpenSettingsKey(kOwnSettingsKey);
    if (key == nullptr) return;
    uint32_t value = 0;
    if (QueryDword(key, kUseMirrorsValue, &value)) useMirrors = static_cast<int32_t>(value);
    PlatformCloseSettingsKey(key);
}

bool SaverSettings::WriteOwnSettings() {
    SettingsKey* key = PlatformCreateSettingsKey(kOwnSettingsKey);
    if (key == nullptr) return false;
    const bool stored = PlatformSetSettingDword(key, kUseMirrorsValue, static_cast<uint32_t>(useMirrors));
    PlatformCloseSettingsKey(key);
    return stored;
}
