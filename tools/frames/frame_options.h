#pragma once

#include <cstdint>
#include <string>
#include <vector>

// What the frame renderer was asked for on its command line.
struct FrameOptions {
    int32_t width = 1920;
    int32_t height = 1080;
    uint32_t seed = 1;
    double stepSeconds = 1.0 / 24.0;
    int32_t passes = 2;
    bool mirrors = true;
    std::string outDir = ".";
    std::vector<int32_t> frames;  // sorted, without repeats
    bool help = false;
};

// Fills `options` from argv; on a bad argument returns false with a message in *error.
bool ParseFrameOptions(int argc, char** argv, FrameOptions* options, std::string* error);

extern const char* const kFramesUsage;
