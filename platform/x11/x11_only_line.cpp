#include "platform/x11/wayland_hand_over.h"
#include "platform/x11/x11_host_options.h"

// The line as the X11 layer reads it: a host's entry, the list task, or a preview switch
// (p or l, the first letter after one slash or hyphen, as Windows reads it).
bool IsX11OnlyLine(int argc, const char* const* argv, const char* environmentWindow) {
    if (environmentWindow != nullptr && *environmentWindow != '\0') return true;
    const HostOptions options = ParseHostOptions(argc, argv);
    if (options.hosted || options.addToXScreenSaver) return true;
    const std::string prefix = "brisalo ";
    if (options.line.switchLine.size() <= prefix.size()) return false;
    const char* word = options.line.switchLine.c_str() + prefix.size();
    if (*word == '/' || *word == '-') ++word;
    return *word == 'p' || *word == 'P' || *word == 'l' || *word == 'L';
}
