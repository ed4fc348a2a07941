#include "tests/images/jpeg_test_streams.h"

#include <cstdio>
#include <cstdlib>

#include <gtest/gtest.h>

#include <jpeglib.h>

std::vector<unsigned char> EncodeJpeg(const RawImage& image, const EncodeOptions& options) {
    jpeg_compress_struct cinfo;
    jpeg_error_mgr errors;
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    jpeg_mem_dest(&cinfo, &out, &outSize);
    cinfo.image_width = image.width;
    cinfo.image_height = image.height;
    cinfo.input_components = image.components;
    cinfo.in_color_space = image.components == 3 ? JCS_RGB : JCS_GRAYSCALE;
    jpeg_set_defaults(&cinfo);
    if (image.components == 3 && options.coding == ColourCoding::Rgb) {
        jpeg_set_colorspace(&cinfo, JCS_RGB);
    }
    jpeg_set_quality(&cinfo, options.quality, TRUE);
    cinfo.restart_interval = options.restartInterval;
    if (options.progressive) jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    if (options.appSegmentBytes != 0) {
        std::vector<JOCTET> segment(options.appSegmentBytes);
        for (size_t i = 0; i < segment.size(); ++i) segment[i] = static_cast<JOCTET>(i * 7);
        jpeg_write_marker(&cinfo, JPEG_APP0 + 1, segment.data(), options.appSegmentBytes);
    }
    const size_t rowSize = size_t{image.width} * static_cast<size_t>(image.components);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPLE*>(&image.samples[cinfo.next_scanline * rowSize]);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    std::vector<unsigned char> stream(out, out + outSize);
    jpeg_destroy_compress(&cinfo);
    std::free(out);
    return stream;
}

RawImage DecodeJpeg(const std::vector<unsigned char>& stream) {
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr errors;
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, stream.data(), static_cast<unsigned long>(stream.size()));
    jpeg_read_header(&cinfo, TRUE);
    jpeg_start_decompress(&cinfo);
    RawImage image;
    image.width = cinfo.output_width;
    image.height = cinfo.output_height;
    image.components = cinfo.output_components;
    const size_t rowSize = size_t{image.width} * static_cast<size_t>(image.components);
    image.samples.resize(rowSize * image.height);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = &image.samples[cinfo.output_scanline * rowSize];
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return image;
}

unsigned char BlockSample(uint32_t x, uint32_t y, int component) {
    const uint32_t bx = x / 8;
    const uint32_t by = y / 8;
    return static_cast<unsigned char>((17 + 29 * bx + 71 * by + 101 * static_cast<uint32_t>(component)) % 256);
}

RawImage BlockImage(uint32_t width, uint32_t height, int components) {
    RawImage image{width, height, components, {}};
    image.samples.reserve(size_t{width} * height * static_cast<size_t>(components));
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x) {
            for (int c = 0; c < components; ++c) image.samples.push_back(BlockSample(x, y, c));
        }
    }
    return image;
}

RawImage NoiseImage(uint32_t width, uint32_t height, int components, uint32_t seed) {
    RawImage image{width, height, components, {}};
    const size_t count = size_t{width} * height * static_cast<size_t>(components);
    image.samples.resize(count);
    uint32_t state = seed * 2654435761u + 1;
    for (size_t i = 0; i < count; ++i) {
        state = state * 1664525u + 1013904223u;
        image.samples[i] = static_cast<unsigned char>(state >> 24);
    }
    return image;
}

namespace {

// Offset of the first marker of either type, found by walking the marker segments from
// the start of the stream.
size_t findSegment(const std::vector<unsigned char>& stream, unsigned char marker, unsigned char other = 0) {
    size_t at = 2;
    while (at + 4 <= stream.size() && stream[at] == 0xFF) {
        if (stream[at + 1] == marker || (other != 0 && stream[at + 1] == other)) return at;
        at += 2 + (size_t{stream[at + 2]} << 8 | stream[at + 3]);
    }
    ADD_FAILURE() << "no marker 0x" << std::hex << int{marker} << " in the stream";
    return stream.size();
}

}  // namespace

size_t ScanDataOffset(const std::vector<unsigned char>& stream) {
    const size_t sos = findSegment(stream, 0xDA);
    if (sos + 4 > stream.size()) return stream.size();
    return sos + 2 + (size_t{stream[sos + 2]} << 8 | stream[sos + 3]);
}

void SetFrameSize(std::vector<unsigned char>& stream, uint16_t width, uint16_t height) {
    // Baseline or progressive frame header: length (2), precision (1), height (2), width (2).
    size_t sof = findSegment(stream, 0xC0, 0xC2);
    if (sof == stream.size()) return;
    stream[sof + 5] = static_cast<unsigned char>(height >> 8);
    stream[sof + 6] = static_cast<unsigned char>(height);
    stream[sof + 7] = static_cast<unsigned char>(width >> 8);
    stream[sof + 8] = static_cast<unsigned char>(width);
}
