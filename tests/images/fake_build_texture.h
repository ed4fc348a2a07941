#pragma once

#include <cstdint>
#include <vector>

// What the test BuildTexture was last handed, copied before it freed the buffer.
struct BuiltTexture {
    int calls = 0;
    std::vector<unsigned char> pixels;
    int32_t bitsPerPixel = 0;
    uint32_t width = 0;
    uint32_t height = 0;
};

extern BuiltTexture builtTexture;
void ResetBuiltTexture();
