// The settings file's reader and writer on any bytes. The first input byte picks the value
// to set and the key it goes in; the rest is the file. Properties: the value set reads back;
// every other key and value reads as before; the saved text parses to the same text.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/unix/registry_file.h"

namespace {

const char kRoot[] = "[HKEY_CURRENT_USER\\";

#define CHECK(condition)                                                        \
    do {                                                                        \
        if (!(condition)) {                                                     \
            fprintf(stderr, "settings_fuzz: %s (line %d)\n", #condition, __LINE__); \
            abort();                                                            \
        }                                                                       \
    } while (0)

// Key paths and value names that the file mentions, found more loosely than the parser
// does, so that near misses are asked about too. Bounded, to keep each run short.
void Probes(const RegistryFile& file, std::vector<std::string>* paths, std::vector<std::string>* names) {
    for (const std::string& line : file.lines) {
        const size_t open = line.find(kRoot);
        if (open != std::string::npos && paths->size() < 8) {
            const size_t start = open + sizeof kRoot - 1;
            const size_t close = line.rfind(']');
            if (close != std::string::npos && close > start) paths->push_back(line.substr(start, close - start));
        }
        const size_t quote = line.find('"');
        if (quote != std::string::npos && names->size() < 8) {
            const size_t end = line.find('"', quote + 1);
            if (end != std::string::npos) names->push_back(line.substr(quote + 1, end - quote - 1));
        }
    }
}

struct Answer {
    bool found;
    std::vector<uint8_t> bytes;
    bool operator==(const Answer& other) const { return found == other.found && bytes == other.bytes; }
};

Answer Ask(const RegistryFile& file, const std::string& path, const std::string& name) {
    Answer answer{false, {}};
    answer.found = file.queryValue(path, name, &answer.bytes);
    if (!answer.found) answer.bytes.clear();
    return answer;
}

bool SameText(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (tolower(static_cast<unsigned char>(a[i])) != tolower(static_cast<unsigned char>(b[i]))) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const uint8_t choice = data[0];
    const std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);

    const RegistryFile before = RegistryFile::parse(bytes);
    std::vector<std::string> paths{"Software\\Vormix\\Talvane",
                                   "Software\\Microsoft\\Windows\\CurrentVersion\\Screen Savers"};
    std::vector<std::string> names{"UseMirrors", "Password Delay", "Mouse Threshold", ""};
    Probes(before, &paths, &names);

    // The writer is given what the shell gives it: a key path and a name in plain ASCII.
    const std::string path = paths[choice % 2];
    const std::string name = names[(choice >> 1) % 4];
    const uint32_t value = 0x01000000u * choice + 0x10203u;

    RegistryFile after = before;
    after.setDword(path, name, value);
    const std::string saved = after.text();
    const RegistryFile reread = RegistryFile::parse(saved);
    CHECK(reread.text() == saved);
    CHECK(reread.utf16 == before.utf16 && reread.crlf == before.crlf);

    const Answer set = Ask(reread, path, name);
    CHECK(set.found && set.bytes == (std::vector<uint8_t>{uint8_t(value), uint8_t(value >> 8),
                                                         uint8_t(value >> 16), uint8_t(value >> 24)}));
    CHECK(reread.hasKey(path));
    for (const std::string& probePath : paths) {
        if (probePath.empty()) continue;
        if (!SameText(probePath, path)) CHECK(reread.hasKey(probePath) == before.hasKey(probePath));
        for (const std::string& probeName : names) {
            if (SameText(probePath, path) && SameText(probeName, name)) continue;
            CHECK(Ask(reread, probePath, probeName) == Ask(before, probePath, probeName));
            CHECK(Ask(after, probePath, probeName) == Ask(before, probePath, probeName));
        }
    }
    return 0;
}
