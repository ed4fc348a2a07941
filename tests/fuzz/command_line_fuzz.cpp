// The command lines of both window systems. The input is split at its zero bytes into argv
// (argv[0] the program path) for the X11 reading, and read whole as a Windows line.
// Properties: a hosted line runs a preview or nothing, in a window within X's 31 bits or on
// the root; a line without an entry word or a switch runs nothing (the empty line aside,
// which is the settings dialog); a line that fails runs nothing; passes stay within 1 to 10.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/windows_command_line.h"
#include "platform/x11/x11_host_options.h"

// A bare /c asks for the foreground window; any fixed answer serves.
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
    std::string whole;
    for (size_t i = 0; i < words.size(); ++i) {
        argv.push_back(words[i].c_str());
        whole += (i > 0 ? " " : "") + words[i];
    }
    ReadWindowsCommandLine(whole.c_str());

    const HostOptions options = ParseHostOptions(static_cast<int>(argv.size()), argv.data());
    if (options.line.run.passCount < 0 || options.line.run.passCount > 10) std::abort();
    const char* environment = words.size() > 1 ? words[1].c_str() : nullptr;
    bool onRoot = false;
    std::string failure;
    const PlatformLaunch launch = LaunchFromHostOptions(options, environment, &onRoot, &failure);
    if (launch.failure != nullptr && launch.mode != LaunchMode::Nothing) std::abort();
    if (options.hosted) {
        if (launch.mode != LaunchMode::Preview && launch.mode != LaunchMode::Nothing) std::abort();
        if (launch.mode == LaunchMode::Preview && !onRoot && (launch.window == 0 || launch.window > 0x7FFFFFFF)) {
            std::abort();
        }
    } else if (options.line.switchLine.empty() && launch.mode != LaunchMode::Nothing &&
               !(argv.size() == 1 && launch.mode == LaunchMode::Configure)) {
        std::abort();
    }
    return 0;
}
