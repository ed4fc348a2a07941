#include "tools/frames/frame_options.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>

const char* const kFramesUsage =
    "Usage: brisalo-frames [options] FRAME...\n"
    "Renders the Brisalo kaleidoscope offscreen and writes the listed frames as PNG files.\n"
    "Frames 0, 1, 2, ... up to the largest FRAME are drawn; the clock advances by the step\n"
    "before each, so frame N shows the picture at (N + 1) x step seconds. The same arguments\n"
    "always give byte-identical files.\n"
    "\n"
    "Options:\n"
    "  --size WxH       picture size in pixels (default 1920x1080)\n"
    "  --seed N         seed of the random generator (default 1)\n"
    "  --step SECONDS   clock advance per frame (default 1/24 s)\n"
    "  --passes N       passes per frame, 1 to 10 (default 2)\n"
    "  --no-mirrors     draw each pass once, as with mirrors switched off\n"
    "  --out DIR        folder for the files DIR/frame-NNNNN.png (default: current folder)\n"
    "  --help           show this text\n";

namespace {

bool parseInt(const char* text, long long low, long long high, long long* value) {
    if (text == nullptr || *text == '\0') return false;
    errno = 0;
    char* end = nullptr;
    const long long parsed = std::strtoll(text, &end, 10);
    if (errno != 0 || *end != '\0' || parsed < low || parsed > high) return false;
    *value = parsed;
    return true;
}

bool parseSize(const char* text, int32_t* width, int32_t* height) {
    const char* x = std::strchr(text, 'x');
    if (x == nullptr) return false;
    const std::string w(text, x);
    long long parsedWidth = 0;
    long long parsedHeight = 0;
    // GL drawables are limited far below this; larger sizes would only fail later.
    if (!parseInt(w.c_str(), 1, 16384, &parsedWidth) || !parseInt(x + 1, 1, 16384, &parsedHeight)) {
        return false;
    }
    *width = static_cast<int32_t>(parsedWidth);
    *height = static_cast<int32_t>(parsedHeight);
    return true;
}

}  // namespace

bool ParseFrameOptions(int argc, char** argv, FrameOptions* options, std::string* error) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        long long number = 0;
        if (arg == "--help" || arg == "-h") {
            options->help = true;
            return true;
        } else if (arg == "--no-mirrors") {
            options->mirrors = false;
        } else if (arg == "--size") {
            if (value == nullptr || !parseSize(value, &options->width, &options->height)) {
                *error = "--size needs WIDTHxHEIGHT, each 1 to 16384, such as 1920x1080";
                return false;
            }
            ++i;
        } else if (arg == "--seed") {
            if (!parseInt(value, 0, 4294967295LL, &number)) {
                *error = "--seed needs a whole number from 0 to 4294967295";
                return false;
            }
            options->seed = static_cast<uint32_t>(number);
            ++i;
        } else if (arg == "--step") {
            char* end = nullptr;
            const double step = value != nullptr ? std::strtod(value, &end) : -1.0;
            if (value == nullptr || *end != '\0' || !std::isfinite(step) || step < 0.0 || step > 3600.0) {
                *error = "--step needs a number of seconds from 0 to 3600";
                return false;
            }
            options->stepSeconds = step;
            ++i;
        } else if (arg == "--passes") {
            if (!parseInt(value, 1, 10, &number)) {
                *error = "--passes needs a whole number from 1 to 10";
                return false;
            }
            options->passes = static_cast<int32_t>(number);
            ++i;
        } else if (arg == "--out") {
            if (value == nullptr || *value == '\0') {
                *error = "--out needs a folder";
                return false;
            }
            options->outDir = value;
            ++i;
        } else if (!arg.empty() && arg[0] == '-') {
            *error = "unknown option " + arg;
            return false;
        } else {
            // Five digits in the file name; more frames than that is days of animation.
            if (!parseInt(arg.c_str(), 0, 99999, &number)) {
                *error = "a FRAME is a whole number from 0 to 99999, not " + arg;
                return false;
            }
            options->frames.push_back(static_cast<int32_t>(number));
        }
    }
    if (options->frames.empty()) {
        *error = "no FRAME given";
        return false;
    }
    std::sort(options->frames.begin(), options->frames.end());
    options->frames.erase(std::unique(options->frames.begin(), options->frames.end()),
                          options->frames.end());
    return true;
}
