// The command line from argv to mode and window. The input is split at its zero bytes
// into argv (argv[0] the program path). Properties: the line built from argv means what its
// arguments mean, that is it parses to the same mode and window as the arguments after a
// plain program name ("brisalo" + " " + each argument), whatever the program path holds;
// the host options of a line without -root or -window-id are all defaults and say nothing;
// a hosted target is a window within X's 31 bits, or the root, or a refusal.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/x11/x11_command_line.h"
#include "platform/x11/x11_host_options.h"
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

    const HostOptions options = ParseHostOptions(static_cast<int>(argv.size()), argv.data());
    if (!options.hosted && (!options.messages.empty() || options.useMirrors != -1 || options.passCount != 0 ||
                            options.showFps || options.windowIdGiven)) {
        std::abort();
    }
    if (options.passCount < 0 || options.passCount > 10) std::abort();
    const char* environment = words.size() > 1 ? words[1].c_str() : nullptr;
    const HostTarget target = ChooseHostTarget(options, environment);
    if (target.kind == HostTarget::Window && (target.window == 0 || target.window > 0x7FFFFFFF)) std::abort();
    return 0;
}
