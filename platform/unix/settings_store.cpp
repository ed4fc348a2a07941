// The settings store on a system without a registry: one REGEDIT4 file at
// ${XDG_CONFIG_HOME:-$HOME/.config}/brisalo/settings.reg, holding the same key paths, value
// names and types the registry would.
#include "platform/unix/settings_store.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "platform/log.h"
#include "platform/platform.h"
#include "platform/unix/registry_file.h"

struct SettingsKey {
    std::string path;
    std::string fileName;
    std::shared_ptr<const RegistryFile> file;
};

namespace {

// No real settings file comes near this; anything larger is not one.
constexpr size_t kLargestFile = 1 << 20;

enum class ReadResult { Read, Missing, Failed };

// The file as read at the first look this process took, kept for every later read.
struct Snapshot {
    bool taken = false;
    std::string fileName;
    ReadResult result = ReadResult::Missing;
    std::shared_ptr<const RegistryFile> file;
};

// The store's state for the process: what was read, and why the last call failed.
struct SettingsStoreState {
    Snapshot snapshot;
    std::string lastError;
};

SettingsStoreState store;

// XDG asks that a relative or empty XDG_CONFIG_HOME be ignored.
std::string SettingsDirectory() {
    const char* config = getenv("XDG_CONFIG_HOME");
    if (config != nullptr && config[0] == '/') return std::string(config) + "/brisalo";
    const char* home = getenv("HOME");
    if (home != nullptr && home[0] == '/') return std::string(home) + "/.config/brisalo";
    return std::string();
}

std::string SystemError(int error) { return strerror(error); }

// Whatever sits at the path (a FIFO, a device, a huge file) costs one open that cannot
// block and at most kLargestFile bytes.
ReadResult ReadSettingsFile(const std::string& name, std::string* text, std::string* reason) {
    const int fd = open(name.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        *reason = SystemError(errno);
        return errno == ENOENT ? ReadResult::Missing : ReadResult::Failed;
    }
    struct stat info{};
    ReadResult result = ReadResult::Failed;
    if (fstat(fd, &info) != 0) {
        *reason = SystemError(errno);
    } else if (S_ISDIR(info.st_mode)) {
        *reason = SystemError(EISDIR);
    } else if (!S_ISREG(info.st_mode)) {
        *reason = "not a regular file";
    } else if (static_cast<uint64_t>(info.st_size) > kLargestFile) {
        *reason = "larger than 1 MiB";
    } else {
        // A file that grew since fstat stops at one byte over the bound.
        char buffer[65536];
        result = ReadResult::Read;
        while (text->size() <= kLargestFile) {
            const size_t wanted = std::min(sizeof buffer, kLargestFile + 1 - text->size());
            const ssize_t n = read(fd, buffer, wanted);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) {
                *reason = SystemError(errno);
                result = ReadResult::Failed;
                break;
            }
            if (n == 0) break;
            text->append(buffer, static_cast<size_t>(n));
        }
        if (result == ReadResult::Read && text->size() > kLargestFile) {
            *reason = "larger than 1 MiB";
            result = ReadResult::Failed;
        }
        if (result != ReadResult::Read) std::string().swap(*text);
    }
    close(fd);
    return result;
}

bool MakeDirectories(const std::string& directory, std::string* reason) {
    for (size_t slash = directory.find('/', 1);; slash = directory.find('/', slash + 1)) {
        const std::string part = directory.substr(0, slash);
        if (mkdir(part.c_str(), 0755) != 0 && errno != EEXIST) {
            *reason = part + ": " + SystemError(errno);
            return false;
        }
        if (slash == std::string::npos) break;
    }
    struct stat info{};
    if (stat(directory.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
        *reason = directory + ": " + SystemError(ENOTDIR);
        return false;
    }
    return true;
}

// The file a save replaces: settings.reg itself, or the file its symbolic links lead to
// (settings kept with the user's other dotfiles stay there).
bool SaveTarget(const std::string& name, std::string* target, std::string* reason) {
    std::string current = name;
    for (int hop = 0; hop < 40; ++hop) {
        struct stat info{};
        const bool exists = lstat(current.c_str(), &info) == 0;
        if (!exists && errno != ENOENT) {
            *reason = current + ": " + SystemError(errno);
            return false;
        }
        if (!exists || !S_ISLNK(info.st_mode)) {
            *target = current;
            return true;
        }
        char link[PATH_MAX];
        const ssize_t length = readlink(current.c_str(), link, sizeof link);
        if (length < 0 || static_cast<size_t>(length) >= sizeof link) {
            *reason = current + ": " + SystemError(length < 0 ? errno : ENAMETOOLONG);
            return false;
        }
        const std::string destination(link, static_cast<size_t>(length));
        current = destination[0] == '/' ? destination : current.substr(0, current.rfind('/') + 1) + destination;
    }
    *reason = name + ": " + SystemError(ELOOP);
    return false;
}

// Written beside the old file and renamed over it, so a reader never sees half a file.
bool SaveAtomically(const std::string& fileName, const RegistryFile& file, std::string* reason) {
    if (!MakeDirectories(fileName.substr(0, fileName.rfind('/')), reason)) return false;
    std::string target;
    if (!SaveTarget(fileName, &target, reason)) return false;

    std::string temporary = target.substr(0, target.rfind('/')) + "/.settings.reg.XXXXXX";
    const int fd = mkstemp(&temporary[0]);
    if (fd < 0) {
        *reason = target + ": " + SystemError(errno);
        return false;
    }
    struct stat old{};
    fchmod(fd, stat(target.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644);

    const std::string text = file.text();
    size_t written = 0;
    int error = 0;
    while (written < text.size() && error == 0) {
        const ssize_t n = write(fd, text.data() + written, text.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) error = errno;
        if (n == 0) error = ENOSPC;
        if (n > 0) written += static_cast<size_t>(n);
    }
    if (error == 0 && fsync(fd) != 0) error = errno;
    if (close(fd) != 0 && error == 0) error = errno;
    if (error == 0 && rename(temporary.c_str(), target.c_str()) != 0) error = errno;
    if (error != 0) {
        unlink(temporary.c_str());
        *reason = target + ": " + SystemError(error);
        return false;
    }
    return true;
}

// Reads never write, and anything unreadable counts as no key at all, said once.
const Snapshot& TakeSnapshot(const std::string& fileName) {
    if (store.snapshot.taken && store.snapshot.fileName == fileName) return store.snapshot;
    store.snapshot = Snapshot();
    store.snapshot.taken = true;
    store.snapshot.fileName = fileName;
    std::string text, reason;
    store.snapshot.result = ReadSettingsFile(fileName, &text, &reason);
    if (store.snapshot.result == ReadResult::Read) {
        store.snapshot.file = std::make_shared<const RegistryFile>(RegistryFile::parse(text));
    } else if (store.snapshot.result == ReadResult::Failed) {
        PlatformLogError("settings file %s cannot be read (%s); using the defaults", fileName.c_str(),
                         reason.c_str());
    }
    return store.snapshot;
}

std::string SettingsFileName() {
    const std::string directory = SettingsDirectory();
    if (directory.empty()) {
        // The place as the manual names it: a path, though not one that exists here.
        store.lastError = "${XDG_CONFIG_HOME:-~/.config}/brisalo/settings.reg: neither XDG_CONFIG_HOME nor HOME is an "
                    "absolute path";
        return std::string();
    }
    return directory + "/settings.reg";
}

void KeepSaved(const std::string& fileName, std::shared_ptr<const RegistryFile> file) {
    store.snapshot.taken = true;
    store.snapshot.fileName = fileName;
    store.snapshot.result = ReadResult::Read;
    store.snapshot.file = std::move(file);
}

}  // namespace

void ForgetSettingsSnapshot() { store.snapshot = Snapshot(); }

SettingsKey* PlatformOpenSettingsKey(const char* path) {
    const std::string fileName = SettingsFileName();
    if (fileName.empty()) return nullptr;
    const Snapshot& taken = TakeSnapshot(fileName);
    if (taken.result != ReadResult::Read || !taken.file->hasKey(path)) {
        store.lastError = fileName + ": no key " + path;
        return nullptr;
    }
    return new SettingsKey{path, fileName, taken.file};
}

// Reads the file afresh, as the registry would hold edits made since the start.
SettingsKey* PlatformCreateSettingsKey(const char* path) {
    const std::string fileName = SettingsFileName();
    if (fileName.empty()) return nullptr;
    std::string text, reason;
    // A file we cannot read must not be replaced by one that lacks its contents.
    if (ReadSettingsFile(fileName, &text, &reason) == ReadResult::Failed) {
        store.lastError = fileName + ": " + reason;
        return nullptr;
    }
    RegistryFile file = RegistryFile::parse(text);
    if (!file.hasKey(path)) {
        file.addKey(path);
        if (!SaveAtomically(fileName, file, &reason)) {
            store.lastError = reason;
            return nullptr;
        }
    }
    auto shared = std::make_shared<const RegistryFile>(std::move(file));
    KeepSaved(fileName, shared);
    return new SettingsKey{path, fileName, shared};
}

bool PlatformQuerySettingValue(SettingsKey* key, const char* name, uint8_t* data, uint32_t* size) {
    std::vector<uint8_t> bytes;
    if (!key->file->queryValue(key->path, name, &bytes) || bytes.size() > *size) return false;
    if (!bytes.empty()) memcpy(data, bytes.data(), bytes.size());
    *size = static_cast<uint32_t>(bytes.size());
    return true;
}

bool PlatformSetSettingDword(SettingsKey* key, const char* name, uint32_t value) {
    auto changed = std::make_shared<RegistryFile>(*key->file);
    changed->setDword(key->path, name, value);
    std::string reason;
    if (!SaveAtomically(key->fileName, *changed, &reason)) {
        store.lastError = reason;
        return false;
    }
    key->file = changed;
    KeepSaved(key->fileName, changed);
    return true;
}

void PlatformCloseSettingsKey(SettingsKey* key) { delete key; }

const char* PlatformGetSettingsError() { return store.lastError.c_str(); }
