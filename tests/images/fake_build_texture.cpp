#include "tests/images/fake_build_texture.h"

#include <cstdlib>

#include "images/build_texture.h"

BuiltTexture builtTexture;

void ResetBuiltTexture() { builtTexture = BuiltTexture{}; }

// Stands in for the GL builder: keeps a copy of the whole buffer (reading all of it, so a
// short allocation shows under AddressSanitizer), frees it and names the texture.
bool BuildTexture(TextureImage& image) {
    ++builtTexture.calls;
    const size_t size = size_t{image.width} * image.height * static_cast<size_t>(image.bitsPerPixel / 8);
    builtTexture.pixels.assign(image.pixels, image.pixels + size);
    builtTexture.bitsPerPixel = image.bitsPerPixel;
    builtTexture.width = image.width;
    builtTexture.height = image.height;
    std::free(image.pixels);
    image.pixels = nullptr;
    image.texture = static_cast<uint32_t>(builtTexture.calls);
    return true;
}
