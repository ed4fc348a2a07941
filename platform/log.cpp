#include "platform/log.h"

#include <cstdarg>
#include <cstdio>

void PlatformLogError(const char* format, ...) {
    char text[1024];
    va_list arguments;
    va_start(arguments, format);
    const int length = std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    if (length < 0) return;
    // One write per line, so lines from a dialog and a saver sharing a terminal never interleave.
    std::fprintf(stderr, "brisalo: %s\n", text);
    std::fflush(stderr);
}
