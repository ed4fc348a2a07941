// Damaged streams through the real JPEG loaders. Each stream ends right before an
// inaccessible page, so a read past its end faults; the sanitizers catch the rest, and
// LeakSanitizer any buffer a failure forgets.
//
// Input: one byte choosing the loader, then the stream(s).
//   even first byte: LoadTexture on the rest.
//   odd first byte:  LoadMaskedTexture; two bytes (little-endian) give the colour stream's
//                    length, cut to what follows; the mask is whatever remains after it.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "images/jpeg_loaders.h"
#include "tests/images/fake_build_texture.h"
#include "tests/images/fake_resources.h"

namespace {

void require(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "jpeg_fuzz: %s\n", what);
    std::abort();
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
    } else {
        SetFakeResource("SINGLE", data + 1, static_cast<uint32_t>(size - 1));
        loaded = LoadTexture(image, "SINGLE");
    }
    checkOutcome(loaded, image, masked);
    ClearFakeResources();
    ResetBuiltTexture();
    return 0;
}
