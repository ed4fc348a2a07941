#include "platform/unix/linux_command_line.h"

#include <cstring>

#include "platform/windows_command_line.h"

namespace {

constexpr int32_t kFewestPasses = 1;
constexpr int32_t kMostPasses = 10;

const LinuxWord kSharedWords[] = {
    {"mirrors", LinuxWordRole::Run, false},
    {"no-mirrors", LinuxWordRole::Run, false},
    {"passes", LinuxWordRole::Run, true},
    {"fps", LinuxWordRole::Run, false},
    {"help", LinuxWordRole::Task, false},
    {"version", LinuxWordRole::Task, false},
};

// "-name" and "--name" are the same option.
const LinuxWord* FindWord(const char* word, const LinuxWord* own, size_t ownCount) {
    if (word[0] != '-') return nullptr;
    const char* name = word[1] == '-' ? word + 2 : word + 1;
    for (const LinuxWord& known : kSharedWords) {
        if (std::strcmp(name, known.name) == 0) return &known;
    }
    for (size_t i = 0; i < ownCount; ++i) {
        if (std::strcmp(name, own[i].name) == 0) return &own[i];
    }
    return nullptr;
}

bool IsShared(const LinuxWord* word) {
    return word >= kSharedWords && word < kSharedWords + sizeof kSharedWords / sizeof kSharedWords[0];
}

bool ParseSmallNumber(const char* text, int32_t lowest, int32_t highest, int32_t* number) {
    if (text == nullptr || *text == '\0' || std::strlen(text) > 2) return false;
    int32_t value = 0;
    for (const char* c = text; *c != '\0'; ++c) {
        if (*c < '0' || *c > '9') return false;
        value = value * 10 + (*c - '0');
    }
    if (value < lowest || value > highest) return false;
    *number = value;
    return true;
}

void ApplyShared(LinuxCommandLine& line, const LinuxWord& word, const char* value) {
    const std::string name = word.name;
    if (name == "help") {
        line.help = true;
    } else if (name == "version") {
        line.version = true;
    } else {
        line.runOptionGiven = true;
        if (name == "mirrors") line.run.useMirrors = 1;
        if (name == "no-mirrors") line.run.useMirrors = 0;
        if (name == "fps") line.run.showFps = true;
        if (name == "passes" && !ParseSmallNumber(value, kFewestPasses, kMostPasses, &line.run.passCount)) {
            line.run.passCount = 0;
            line.messages.push_back("--passes takes a number from 1 to 10, not " +
                                    (value == nullptr ? std::string("nothing") : "\"" + std::string(value) + "\"") +
                                    "; starting with the default");
        }
    }
}

bool IsNumberWord(const char* word) {
    if (*word == '+' || *word == '-') ++word;
    if (*word == '\0') return false;
    for (; *word != '\0'; ++word) {
        if (*word < '0' || *word > '9') return false;
    }
    return true;
}

// A switch as Windows' hosts write it: a slash or a dash, a mode letter, then nothing, a
// colon, a number or both. Longer words ("-passes", "/screen") are not switches here.
bool IsSwitchWord(const char* word) {
    if ((word[0] != '/' && word[0] != '-') || word[1] == '\0' || std::strchr("sSpPlLcCaA", word[1]) == nullptr) {
        return false;
    }
    const char* rest = word[2] == ':' ? word + 3 : word + 2;
    return *rest == '\0' || IsNumberWord(rest);
}

// "/p" or "/c:" waits for its number in the next word; "/s" takes one as Windows does, and
// ignores it.
bool AwaitsNumber(const char* word) { return word[2] == '\0' || (word[2] == ':' && word[3] == '\0'); }

void Ignore(LinuxCommandLine& line, const char* word, const char* why) {
    line.messages.push_back("ignoring \"" + std::string(word) + "\": " + why + " (see --help)");
}

}  // namespace

LinuxCommandLine ParseLinuxCommandLine(int argc, const char* const* argv, const LinuxWord* own, size_t ownCount) {
    LinuxCommandLine line;
    line.emptyLine = argc <= 1;
    bool task = false;
    for (int i = 1; i < argc; ++i) {
        const LinuxWord* known = FindWord(argv[i], own, ownCount);
        if (known == nullptr) continue;
        line.entry = line.entry || known->role == LinuxWordRole::Entry;
        task = task || known->role == LinuxWordRole::Task;
    }

    for (int i = 1; i < argc; ++i) {
        const char* word = argv[i];
        const LinuxWord* known = FindWord(word, own, ownCount);
        // An option word is never taken as the value of the one before it.
        const char* value = nullptr;
        if (known != nullptr && known->takesValue && i + 1 < argc && FindWord(argv[i + 1], own, ownCount) == nullptr) {
            value = argv[++i];
        }
        // Beside a task only the tasks count; what else stands there is not read.
        if (task && (known == nullptr || known->role != LinuxWordRole::Task)) continue;
        if (known == nullptr && IsSwitchWord(word)) {
            if (line.entry) {
                Ignore(line, word, "not an option");
            } else if (!line.switchLine.empty()) {
                Ignore(line, word, "a run has one mode");
            } else {
                line.switchLine = std::string("brisalo ") + word;
                if (AwaitsNumber(word) && i + 1 < argc && IsNumberWord(argv[i + 1])) {
                    line.switchLine += std::string(" ") + argv[++i];
                }
            }
        } else if (known == nullptr) {
            Ignore(line, word, "not an option");
        } else if (IsShared(known)) {
            ApplyShared(line, *known, value);
        } else {
            if (known->role == LinuxWordRole::Foreign && line.foreign == nullptr) line.foreign = known->why;
            line.own.push_back({known, value});
        }
    }
    return line;
}

PlatformLaunch LaunchFromLinuxLine(const LinuxCommandLine& line, bool task, const char* usage,
                                   const char* runNeedsMode, std::string* failure) {
    PlatformLaunch launch;
    if (!line.switchLine.empty() && !line.entry) launch = ReadWindowsCommandLine(line.switchLine.c_str());
    launch.usage = usage;
    launch.help = line.help;
    launch.version = line.version;
    if (line.help || line.version || task) {
        launch.mode = LaunchMode::Nothing;
        return launch;
    }
    launch.options = line.run;
    if (line.foreign != nullptr) {
        *failure = line.foreign;
        launch.mode = LaunchMode::Nothing;
    } else if (line.switchLine.empty() && !line.entry && line.emptyLine) {
        launch.mode = LaunchMode::Configure;
    } else if (line.switchLine.empty() && !line.entry && line.runOptionGiven) {
        *failure = std::string("--mirrors, --no-mirrors, --passes and --fps are for a run: add ") + runNeedsMode +
                   " (see --help)";
    }
    launch.failure = failure->empty() ? nullptr : failure->c_str();
    return launch;
}
