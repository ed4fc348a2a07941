#pragma once

#include <cstdint>
#include <string>

struct JpegOptions {
    int quality = 90;
    int restartInterval = 0;     // in MCUs; 0 for none
    bool metadataSegments = false;  // Exif, XMP, Photoshop and Adobe segments ahead of the frame
};

// Baseline JPEG with libjpeg's default sampling (2x2 luma for colour). components is 1 or 3.
bool writeJpeg(const std::string& path, const uint8_t* pixels, int width, int height, int components,
               const JpegOptions& options);
