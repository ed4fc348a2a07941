#pragma once

#include <cstdint>

// One texture's decoded image and, once built, its GL name. A record of zeros is empty.
struct TextureImage {
    unsigned char* pixels;  // malloc'd rows, top row first, no padding; freed by BuildTexture
    int32_t bitsPerPixel;   // 8 alpha, 24 RGB, 32 RGBA
    uint32_t width;
    uint32_t height;
    uint32_t texture;       // 0 until built, and for good when the load failed
};
