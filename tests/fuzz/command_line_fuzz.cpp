// The command line from argv to mode and window. The input is split at its zero bytes
// into argv (argv[0] the program path). Property: the line built from argv means what its
// arguments mean, that is it parses to the same mode and window as the arguments after a
// plain program name ("brisalo" + " " + each argument), whatever the program path holds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/x11/x11_command_line.h"
#include "shell/command_line.h"

// A bare /c asks for the foreground window; any fixed answer serves both sides.
PlatformWindow PlatformGetForegroundWindow() { return 0x4A0001; }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> words(1);
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            words.emplace_back();
        } else {
            words.back() += static_cast<char>(data[i]);
        }
    }
    if (words.size() > 64) return 0;  // argv lengths beyond this add nothing new

    std::vector<const char*> argv;
    std::string direct = "brisalo";
    for (size_t i = 0; i < words.size(); ++i) {
        argv.push_back(words[i].c_str());
        if (i > 0) direct += " " + words[i];
    }
    const std::string line = BuildCommandLine(static_cast<int>(argv.size()), argv.data());
    const ParsedCommandLine built = ParseCommandLine(line.c_str());
    const ParsedCommandLine expected = ParseCommandLine(direct.c_str());
    if (built.mode != expected.mode || built.window != expected.window) std::abort();
    return 0;
}
