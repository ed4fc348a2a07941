#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// An RGB picture read back from GL, rows bottom-up as GL gives them.
struct FramePixels {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<unsigned char> rgb;

    const unsigned char* at(int32_t x, int32_t y) const {
        return rgb.data() + (static_cast<size_t>(y) * width + x) * 3;
    }
};

FramePixels ReadBackBuffer(int32_t width, int32_t height);
FramePixels ReadTexture(uint32_t texture);

// Share of compared pixel pairs that differ by more than `tolerance` in any channel.
double MirrorMismatch(const FramePixels& frame, int32_t skipBottomRows, int tolerance);
double Difference(const FramePixels& a, const FramePixels& b, int tolerance);
int64_t CountPureRed(const FramePixels& frame);
int64_t CountNonBlack(const FramePixels& frame);
