#include "platform/windows_command_line.h"

#include "platform/platform.h"

#include <climits>

namespace {

// atoi as the standard library defines it, except that a number beyond 32 bits saturates
// instead of being undefined.
int32_t SaturatingAtoi(const char* p) {
    while (*p == ' ' || (*p >= '\t' && *p <= '\r')) ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') negative = *p++ == '-';
    int64_t value = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        value = value * 10 + (*p - '0');
        if (value > int64_t{INT32_MAX} + 1) value = int64_t{INT32_MAX} + 1;  // stays in range
    }
    if (negative) return static_cast<int32_t>(-value);
    return value > INT32_MAX ? INT32_MAX : static_cast<int32_t>(value);
}

// Letters compared as ASCII, whatever the locale.
char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// A handle as a 32-bit host writes it; a negative number keeps its sign bits.
PlatformLaunch Launch(LaunchMode mode, int32_t window) {
    PlatformLaunch launch;
    launch.mode = mode;
    launch.window = static_cast<uintptr_t>(static_cast<intptr_t>(window));
    return launch;
}

}  // namespace

PlatformLaunch ReadWindowsCommandLine(const char* text) {
    const char* p = text;

    // The command name: a quoted path runs to its closing quote, a bare one to the first
    // space. Tabs do not separate.
    if (*p == '"') {
        ++p;
        while (*p != '\0' && *p != '"') ++p;
    } else {
        while (*p != '\0' && *p != ' ') ++p;
    }
    if (*p != '\0') ++p;
    while (*p == ' ') ++p;

    if (*p == '\0') return Launch(LaunchMode::Configure, 0);
    if (*p == '-' || *p == '/') ++p;  // only one

    const char letter = Lower(*p);
    LaunchMode mode = LaunchMode::Nothing;
    switch (letter) {
    case 's':
        return Launch(LaunchMode::ScreenSaver, 0);
    case 'p':
    case 'l':
        mode = LaunchMode::Preview;
        break;
    case 'c':
        mode = LaunchMode::Configure;
        break;
    case 'a':
        mode = LaunchMode::ChangePassword;
        break;
    default:
        return Launch(LaunchMode::Nothing, 0);
    }

    ++p;
    while (*p == ' ' || *p == ':') ++p;
    if (mode == LaunchMode::Configure && *p == '\0') {
        PlatformLaunch launch = Launch(mode, 0);
        launch.window = PlatformGetForegroundWindow();
        return launch;
    }
    return Launch(mode, SaturatingAtoi(p));
}
