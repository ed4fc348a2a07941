// The settings store on a system without a registry: one REGEDIT4 file at
// ${XDG_CONFIG_HOME:-$HOME/.config}/brisalo/settings.reg, holding the same key paths, value
// names and types the registry would.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/platform.h"
#include "platform/x11/registry_file.h"

struct SettingsKey {
    std::string path;
    std::string fileName;
    RegistryFile file;
};

namespace {

// XDG asks that a relative or empty XDG_CONFIG_HOME be ignored.
std::string SettingsDirectory() {
    const char* config = getenv("XDG_CONFIG_HOME");
    if (config != nullptr && config[0] == '/') return std::string(config) + "/brisalo";
    const char* home = getenv("HOME");
    if (home != nullptr && home[0] == '/') return std::string(home) + "/.config/brisalo";
    return std::string();
}

enum class ReadResult { Read, Missing, Failed };

ReadResult ReadWholeFile(const std::string& name, std::string* text) {
    FILE* file = fopen(name.c_str(), "rb");
    if (file == nullptr) return errno == ENOENT ? ReadResult::Missing : ReadResult::Failed;
    char buffer[4096];
    size_t count = 0;
    while ((count = fread(buffer, 1, sizeof buffer, file)) > 0) text->append(buffer, count);
    const bool failed = ferror(file) != 0;
    fclose(file);
    return failed ? ReadResult::Failed : ReadResult::Read;
}

bool MakeDirectories(const std::string& directory) {
    for (size_t slash = directory.find('/', 1);; slash = directory.find('/', slash + 1)) {
        const std::string part = directory.substr(0, slash);
        if (mkdir(part.c_str(), 0755) != 0 && errno != EEXIST) return false;
        if (slash == std::string::npos) break;
    }
    struct stat info{};
    return stat(directory.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// Written beside the old file and renamed over it, so a reader never sees half a file.
bool SaveAtomically(const SettingsKey& key) {
    const size_t slash = key.fileName.rfind('/');
    const std::string directory = key.fileName.substr(0, slash);
    if (!MakeDirectories(directory)) return false;

    std::string temporary = directory + "/.settings.reg.XXXXXX";
    const int fd = mkstemp(&temporary[0]);
    if (fd < 0) return false;
    struct stat old{};
    fchmod(fd, stat(key.fileName.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644);

    const std::string text = key.file.text();
    size_t written = 0;
    while (written < text.size()) {
        const ssize_t n = write(fd, text.data() + written, text.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        written += static_cast<size_t>(n);
    }
    const bool ok = written == text.size() && fsync(fd) == 0;
    if (close(fd) != 0 || !ok || rename(temporary.c_str(), key.fileName.c_str()) != 0) {
        unlink(temporary.c_str());
        return false;
    }
    return true;
}

// Reads never write, and anything unreadable counts as no key at all.
SettingsKey* LoadKey(const char* path, bool create) {
    const std::string directory = SettingsDirectory();
    if (directory.empty()) return nullptr;
    auto* key = new SettingsKey{path, directory + "/settings.reg", RegistryFile()};
    std::string text;
    const ReadResult read = ReadWholeFile(key->fileName, &text);
    // A file we cannot read must not be replaced by one that lacks its contents.
    if (read == ReadResult::Failed || (read == ReadResult::Missing && !create)) {
        delete key;
        return nullptr;
    }
    key->file = RegistryFile::parse(text);
    if (key->file.hasKey(path)) return key;
    if (create) {
        key->file.addKey(path);
        if (SaveAtomically(*key)) return key;
    }
    delete key;
    return nullptr;
}

}  // namespace

SettingsKey* PlatformOpenSettingsKey(const char* path) { return LoadKey(path, false); }

SettingsKey* PlatformCreateSettingsKey(const char* path) { return LoadKey(path, true); }

bool PlatformQuerySettingValue(SettingsKey* key, const char* name, uint8_t* data, uint32_t* size) {
    std::vector<uint8_t> bytes;
    if (!key->file.queryValue(key->path, name, &bytes) || bytes.size() > *size) return false;
    if (!bytes.empty()) memcpy(data, bytes.data(), bytes.size());
    *size = static_cast<uint32_t>(bytes.size());
    return true;
}

bool PlatformSetSettingDword(SettingsKey* key, const char* name, uint32_t value) {
    RegistryFile before = key->file;
    key->file.setDword(key->path, name, value);
    if (SaveAtomically(*key)) return true;
    key->file = before;
    return false;
}

void PlatformCloseSettingsKey(SettingsKey* key) { delete key; }
