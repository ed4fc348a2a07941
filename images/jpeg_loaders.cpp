#include "images/jpeg_loaders.h"

#include <csetjmp>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

#include "images/build_texture.h"
#include "images/jpeg_error_manager.h"
#include "images/jpeg_memory_source.h"
#include "images/resource_lookup.h"

namespace {

// One loader call's libjpeg state. It lives in the public loader's frame, so that what the
// failure path reads after a jump is not a local of the function that called setjmp.
struct Decoder {
    jpeg_decompress_struct cinfo;
    JumpErrorManager errors;
    ResourceBuffer* resource;  // the stream in hand, or null
};

void prepareErrors(Decoder& d) {
    d.resource = nullptr;
    d.cinfo.err = jpeg_std_error(&d.errors.pub);
    d.errors.pub.error_exit = JumpErrorExit;
    d.errors.pub.output_message = LogJpegMessage;
}

// Finds the named stream and points the decoder at it. A stream of no bytes is no stream.
bool openStream(Decoder& d, const char* name) {
    const unsigned char* bytes = nullptr;
    uint32_t size = 0;
    if (!LookupImageResource(name, &bytes, &size) || bytes == nullptr || size == 0) return false;
    d.resource = new (std::nothrow) ResourceBuffer{bytes, size};
    if (d.resource == nullptr) return false;
    UseMemorySource(&d.cinfo, d.resource);
    return true;
}

void closeStream(Decoder& d) {
    delete d.resource;
    d.resource = nullptr;
}

bool fail(Decoder& d, TextureImage& image) {
    jpeg_destroy_decompress(&d.cinfo);
    closeStream(d);
    // Nothing would read a half-filled buffer; don't keep it.
    std::free(image.pixels);
    image.pixels = nullptr;
    return false;
}

// No picture of ours comes near this on a side (the atlas is 2048 x 1024), and GLU would
// only shrink a larger one to GL's texture limit. Checked before decoding starts, so that a
// few damaged header bytes cannot ask for gigabytes and seconds of work: a progressive
// stream is buffered whole inside jpeg_start_decompress.
constexpr JDIMENSION kMaxImageSide = 4096;

bool startImage(Decoder& d) {
    jpeg_read_header(&d.cinfo, TRUE);
    if (d.cinfo.image_width > kMaxImageSide || d.cinfo.image_height > kMaxImageSide) return false;
    jpeg_start_decompress(&d.cinfo);
    return true;
}

// A cleared buffer, or null. GLU measures images in GLint, so larger ones are refused
// before they are allocated rather than overflowing there.
unsigned char* allocatePixels(JDIMENSION width, JDIMENSION height, int bytesPerPixel) {
    const uint64_t size = uint64_t{width} * height * static_cast<uint64_t>(bytesPerPixel);
    if (size == 0 || size > INT32_MAX) return nullptr;
    return static_cast<unsigned char*>(std::calloc(static_cast<size_t>(size), 1));
}

JSAMPROW allocateRow(Decoder& d, JDIMENSION samples) {
    j_common_ptr common = reinterpret_cast<j_common_ptr>(&d.cinfo);
    return (*d.cinfo.mem->alloc_sarray)(common, JPOOL_IMAGE, samples, 1)[0];
}

// The source never suspends, so a read that yields no row would only repeat forever.
bool readRow(Decoder& d, JSAMPROW row) {
    return jpeg_read_scanlines(&d.cinfo, &row, 1) == 1;
}

bool decodeColour(Decoder& d, TextureImage& image, const char* name) {
    if (!openStream(d, name)) return false;
    if (!startImage(d)) return false;
    if (d.cinfo.output_components != 3) return false;
    const JDIMENSION width = d.cinfo.output_width;
    image.width = width;
    image.height = d.cinfo.output_height;
    image.bitsPerPixel = 32;
    image.pixels = allocatePixels(width, d.cinfo.output_height, 4);
    if (image.pixels == nullptr) return false;
    JSAMPROW row = allocateRow(d, 3 * width);
    while (d.cinfo.output_scanline < d.cinfo.output_height) {
        unsigned char* out = image.pixels + size_t{d.cinfo.output_scanline} * width * 4;
        if (!readRow(d, row)) return false;
        for (JDIMENSION x = 0; x < width; ++x) {
            out[4 * x] = row[3 * x];
            out[4 * x + 1] = row[3 * x + 1];
            out[4 * x + 2] = row[3 * x + 2];
        }
    }
    jpeg_finish_decompress(&d.cinfo);
    closeStream(d);
    return true;
}

bool decodeMask(Decoder& d, TextureImage& image, const char* name) {
    if (!openStream(d, name)) return false;
    if (!startImage(d)) return false;
    if (d.cinfo.output_components != 1 || d.cinfo.output_width != image.width ||
        d.cinfo.output_height != image.height) {
        return false;
    }
    const JDIMENSION width = d.cinfo.output_width;
    JSAMPROW row = allocateRow(d, width);
    while (d.cinfo.output_scanline < d.cinfo.output_height) {
        unsigned char* out = image.pixels + size_t{d.cinfo.output_scanline} * width * 4;
        if (!readRow(d, row)) return false;
        for (JDIMENSION x = 0; x < width; ++x) out[4 * x + 3] = row[x];
    }
    jpeg_finish_decompress(&d.cinfo);
    return true;
}

bool decodeSingle(Decoder& d, TextureImage& image, const char* name) {
    if (!openStream(d, name)) return false;
    if (!startImage(d)) return false;
    const JDIMENSION width = d.cinfo.output_width;
    const int components = d.cinfo.output_components;
    const size_t rowBytes = size_t{width} * static_cast<size_t>(components);
    // GL reads rows at its default 4-byte alignment; any other row length would have it
    // read past the end of the buffer.
    if (rowBytes % 4 != 0) return false;
    image.width = width;
    image.height = d.cinfo.output_height;
    image.bitsPerPixel = 8 * components;
    image.pixels = allocatePixels(width, d.cinfo.output_height, components);
    if (image.pixels == nullptr) return false;
    JSAMPROW row = allocateRow(d, static_cast<JDIMENSION>(rowBytes));
    while (d.cinfo.output_scanline < d.cinfo.output_height) {
        unsigned char* out = image.pixels + size_t{d.cinfo.output_scanline} * rowBytes;
        if (!readRow(d, row)) return false;
        std::memcpy(out, row, rowBytes);
    }
    jpeg_finish_decompress(&d.cinfo);
    return true;
}

// The functions holding the recovery point keep no locals: everything they touch after a
// jump is in the Decoder or the image, both outside their frame.
bool loadMasked(Decoder& d, TextureImage& image, const char* colourName, const char* maskName) {
    prepareErrors(d);
    if (setjmp(d.errors.jump) != 0) return fail(d, image);
    jpeg_create_decompress(&d.cinfo);
    if (!decodeColour(d, image, colourName)) return fail(d, image);
    // The mask reuses the same object and source.
    if (!decodeMask(d, image, maskName)) return fail(d, image);
    jpeg_destroy_decompress(&d.cinfo);
    closeStream(d);
    return true;
}

bool loadSingle(Decoder& d, TextureImage& image, const char* name) {
    prepareErrors(d);
    if (setjmp(d.errors.jump) != 0) return fail(d, image);
    jpeg_create_decompress(&d.cinfo);
    if (!decodeSingle(d, image, name)) return fail(d, image);
    jpeg_destroy_decompress(&d.cinfo);
    closeStream(d);
    return true;
}

}  // namespace

bool LoadMaskedTexture(TextureImage& image, const char* colourName, const char* maskName) {
    // Cleared, so that a failure inside jpeg_create_decompress finds no memory to release.
    Decoder decoder{};
    if (!loadMasked(decoder, image, colourName, maskName)) return false;
    return BuildTexture(image);
}

bool LoadTexture(TextureImage& image, const char* name) {
    Decoder decoder{};
    if (!loadSingle(decoder, image, name)) return false;
    return BuildTexture(image);
}
