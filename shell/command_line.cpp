#include "shell/command_line.h"

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

}  // namespace

ParsedCommandLine ParseCommandLine(const char* text) {
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

    if (*p == '\0') return {SaverMode::Configure, 0};
    if (*p == '-' || *p == '/') ++p;  // only one

    const char letter = Lower(*p);
    SaverMode mode = SaverMode::Unset;
    switch (letter) {
    case 's':
        return {SaverMode::ScreenSaver, 0};
    case 'p':
    case 'l':
        mode = SaverMode::Preview;
        break;
    case 'c':
        mode = SaverMode::Configure;
        break;
    case 'a':
        mode = SaverMode::ChangePassword;
        break;
    default:
        return {SaverMode::Unset, 0};
    }

    ++p;
    while (*p == ' ' || *p == ':') ++p;
    if (mode == SaverMode::Configure && *p == '\0') {
        return {mode, static_cast<int32_t>(PlatformGetForegroundWindow())};
    }
    return {mode, SaturatingAtoi(p)};
}
