#include <cstring>

#include "platform/x11/wayland_hand_over.h"

namespace {

bool IsOption(const char* word, const char* name) {
    if (word[0] != '-') return false;
    const char* given = word[1] == '-' ? word + 2 : word + 1;
    return std::strcmp(given, name) == 0;
}

}  // namespace

bool IsX11OnlyLine(int argc, const char* const* argv, const char* environmentWindow) {
    if (environmentWindow != nullptr && *environmentWindow != '\0') return true;
    for (int i = 1; i < argc; ++i) {
        if (IsOption(argv[i], "root") || IsOption(argv[i], "window-id")) return true;
    }
    if (argc < 2) return false;
    // The first switch, as the shell reads it: its first letter after one slash or hyphen.
    const char* word = argv[1];
    if (*word == '/' || *word == '-') ++word;
    return *word == 'p' || *word == 'P' || *word == 'l' || *word == 'L';
}
