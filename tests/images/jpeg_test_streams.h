#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// JPEG streams made in the test, with libjpeg's own compressor, and decoded by libjpeg's
// own memory source as the reference the loaders are held to.

struct RawImage {
    uint32_t width = 0;
    uint32_t height = 0;
    int components = 0;
    std::vector<unsigned char> samples;  // rows top first, components interleaved

    unsigned char at(uint32_t x, uint32_t y, int c) const {
        return samples[(size_t{y} * width + x) * static_cast<size_t>(components) + static_cast<size_t>(c)];
    }
};

enum class ColourCoding {
    YCbCr420,  // what a camera or editor writes: lossy colour, chroma halved both ways
    Rgb,       // no colour transform and no subsampling: flat blocks come back exactly
};

struct EncodeOptions {
    ColourCoding coding = ColourCoding::YCbCr420;
    int quality = 100;
    unsigned int restartInterval = 0;  // in MCUs; 0 for none
    bool progressive = false;
    uint32_t appSegmentBytes = 0;  // an APP1 segment of this many bytes ahead of the frame
};

std::vector<unsigned char> EncodeJpeg(const RawImage& image, const EncodeOptions& options = {});
RawImage DecodeJpeg(const std::vector<unsigned char>& stream);

// An image of flat 8 x 8 blocks, each sample a function of its block and component, so
// that quality-100 coding brings every sample back unchanged.
unsigned char BlockSample(uint32_t x, uint32_t y, int component);
RawImage BlockImage(uint32_t width, uint32_t height, int components);

// Samples that vary from pixel to pixel, for streams with real entropy-coded detail.
RawImage NoiseImage(uint32_t width, uint32_t height, int components, uint32_t seed);

// Offset just past the first start-of-scan header: where entropy-coded data begins.
size_t ScanDataOffset(const std::vector<unsigned char>& stream);
// Rewrites the frame header's size, leaving the rest of the stream as it was.
void SetFrameSize(std::vector<unsigned char>& stream, uint16_t width, uint16_t height);
