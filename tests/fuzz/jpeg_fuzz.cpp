// Damaged streams through the real JPEG loaders. Each stream ends right before an
// inaccessible page, so a read past its end faults; the sanitizers catch the rest, and
// LeakSanitizer any buffer a failure forgets. A stream the loaders accept must give what
// libjpeg's own memory source decodes from it, sample for sample.
//
// Input: one byte choosing the loader, then the stream(s).
//   even first byte: LoadTexture on the rest.
//   odd first byte:  LoadMaskedTexture; two bytes (little-endian) give the colour stream's
//                    length, cut to what follows; the mask is whatever remains after it.

#include <csetjmp>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "images/jpeg_library.h"
#include "images/jpeg_loaders.h"
#include "tests/images/fake_build_texture.h"
#include "tests/images/fake_resources.h"

namespace {

void require(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "jpeg_fuzz: %s\n", what);
    std::abort();
}

struct Decoded {
    uint32_t width = 0;
    uint32_t height = 0;
    int components = 0;
    std::vector<unsigned char> samples;  // rows top first, components interleaved
};

// The reference decode's libjpeg state, kept out of the frame that calls setjmp. The
// library sees only `pub`, so it must stay first.
struct ReferenceErrors {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

struct Reference {
    jpeg_decompress_struct cinfo;
    ReferenceErrors errors;
};

[[noreturn]] void referenceExit(j_common_ptr cinfo) {
    std::longjmp(reinterpret_cast<ReferenceErrors*>(cinfo->err)->jump, 1);
}
void quiet(j_common_ptr) {}

bool readAll(Reference& r, Decoded& out) {
    jpeg_read_header(&r.cinfo, TRUE);
    jpeg_start_decompress(&r.cinfo);
    out.width = r.cinfo.output_width;
    out.height = r.cinfo.output_height;
    out.components = r.cinfo.output_components;
    const size_t rowBytes = size_t{out.width} * static_cast<size_t>(out.components);
    out.samples.assign(rowBytes * out.height, 0);
    while (r.cinfo.output_scanline < r.cinfo.output_height) {
        JSAMPROW row = out.samples.data() + size_t{r.cinfo.output_scanline} * rowBytes;
        if (jpeg_read_scanlines(&r.cinfo, &row, 1) != 1) return false;
    }
    jpeg_finish_decompress(&r.cinfo);
    return true;
}

struct Stream {
    const uint8_t* bytes;
    size_t size;
};

// libjpeg with its own memory source and its defaults, messages silenced: the streams one
// after another on one object, as the loaders do (so a stream may use the tables an earlier
// one defined, as libjpeg allows). Only asked of streams a loader accepted, so their size is
// bounded.
bool referenceDecode(Reference& r, const Stream* streams, size_t count, Decoded* out) {
    r.cinfo.err = jpeg_std_error(&r.errors.pub);
    r.errors.pub.error_exit = referenceExit;
    r.errors.pub.output_message = quiet;
    if (setjmp(r.errors.jump) != 0) {
        jpeg_destroy_decompress(&r.cinfo);
        return false;
    }
    jpeg_create_decompress(&r.cinfo);
    bool whole = true;
    for (size_t i = 0; i < count && whole; ++i) {
        jpeg_mem_src(&r.cinfo, streams[i].bytes, static_cast<unsigned long>(streams[i].size));
        whole = readAll(r, out[i]);
    }
    jpeg_destroy_decompress(&r.cinfo);
    return whole;
}

bool decodeReference(const Stream* streams, size_t count, Decoded* out) {
    Reference r{};
    return referenceDecode(r, streams, count, out);
}

void checkSingleSamples(Stream stream, const TextureImage& image) {
    Decoded expected;
    require(decodeReference(&stream, 1, &expected), "libjpeg itself fails on a stream the loader took");
    require(expected.width == image.width && expected.height == image.height &&
                expected.components * 8 == image.bitsPerPixel,
            "the loader's size or components differ from libjpeg's");
    require(builtTexture.pixels == expected.samples, "the loader's samples differ from libjpeg's");
}

void checkMaskedSamples(Stream colourStream, Stream maskStream, const TextureImage& image) {
    const Stream streams[2] = {colourStream, maskStream};
    Decoded decoded[2];
    require(decodeReference(streams, 2, decoded), "libjpeg itself fails on streams the loader took");
    const Decoded& colour = decoded[0];
    const Decoded& mask = decoded[1];
    require(colour.width == image.width && colour.height == image.height && colour.components == 3 &&
                mask.width == image.width && mask.height == image.height && mask.components == 1,
            "the loader took streams of other sizes or components than libjpeg decodes");
    const size_t pixels = size_t{image.width} * image.height;
    for (size_t i = 0; i < pixels; ++i) {
        const unsigned char* got = &builtTexture.pixels[4 * i];
        const unsigned char* rgb = &colour.samples[3 * i];
        if (got[0] != rgb[0] || got[1] != rgb[1] || got[2] != rgb[2] || got[3] != mask.samples[i]) {
            require(false, "the loader's pixels differ from libjpeg's colour and mask samples");
        }
    }
}

// Whole either way: a texture built once from a buffer of the image's size, or nothing.
void checkOutcome(bool loaded, const TextureImage& image, bool masked) {
    require(image.pixels == nullptr, "the loader kept a pixel buffer");
    if (!loaded) {
        require(image.texture == 0, "a failed load named a texture");
        require(builtTexture.calls == 0, "a failed load reached the texture builder");
        return;
    }
    require(builtTexture.calls == 1, "a load built other than one texture");
    require(image.texture != 0, "a load succeeded without a texture");
    require(image.width > 0 && image.height > 0, "a texture of no pixels");
    if (masked) {
        require(image.bitsPerPixel == 32, "a masked texture that is not RGBA");
    } else {
        // One byte for each component the stream delivers.
        require(image.bitsPerPixel > 0 && image.bitsPerPixel % 8 == 0, "a single texture of partial bytes");
    }
    require(builtTexture.pixels.size() == size_t{image.width} * image.height * size_t(image.bitsPerPixel / 8),
            "the builder was handed a buffer of another size");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    ClearFakeResources();
    ResetBuiltTexture();
    TextureImage image{};
    const bool masked = (data[0] & 1) != 0;
    bool loaded = false;
    if (masked) {
        if (size < 3) return 0;
        const uint8_t* streams = data + 3;
        const size_t available = size - 3;
        size_t colourSize = size_t{data[1]} | size_t{data[2]} << 8;
        if (colourSize > available) colourSize = available;
        SetFakeResource("COLOUR", streams, static_cast<uint32_t>(colourSize));
        SetFakeResource("MASK", streams + colourSize, static_cast<uint32_t>(available - colourSize));
        loaded = LoadMaskedTexture(image, "COLOUR", "MASK");
        checkOutcome(loaded, image, true);
        if (loaded) checkMaskedSamples({streams, colourSize}, {streams + colourSize, available - colourSize}, image);
    } else {
        SetFakeResource("SINGLE", data + 1, static_cast<uint32_t>(size - 1));
        loaded = LoadTexture(image, "SINGLE");
        checkOutcome(loaded, image, false);
        if (loaded) checkSingleSamples({data + 1, size - 1}, image);
    }
    ClearFakeResources();
    ResetBuiltTexture();
    return 0;
}
