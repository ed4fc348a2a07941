#include <string>

#include "images/jpeg_loaders.h"
#include "tests/scene/fakes.h"

std::vector<std::string> fakeCalls;
FakeLoad fakeAtlasLoad;
FakeLoad fakeLogoLoad;
const TextureImage* fakeAtlasRecord = nullptr;
const TextureImage* fakeLogoRecord = nullptr;

void ResetFakes() {
    fakeCalls.clear();
    fakeAtlasLoad = FakeLoad{true, 2048, 1024, 11};
    fakeLogoLoad = FakeLoad{true, 256, 64, 12};
    fakeAtlasRecord = nullptr;
    fakeLogoRecord = nullptr;
}

namespace {

// A failure before decoding leaves the record as it was: all zeros.
bool fill(TextureImage& image, const FakeLoad& load) {
    if (!load.succeeds) {
        return false;
    }
    image.width = load.width;
    image.height = load.height;
    image.texture = load.texture;
    return true;
}

}  // namespace

bool LoadMaskedTexture(TextureImage& image, const char* colourName, const char* maskName) {
    fakeCalls.push_back(std::string("LoadMaskedTexture ") + colourName + " " + maskName);
    fakeAtlasRecord = &image;
    return fill(image, fakeAtlasLoad);
}

bool LoadTexture(TextureImage& image, const char* name) {
    fakeCalls.push_back(std::string("LoadTexture ") + name);
    fakeLogoRecord = &image;
    return fill(image, fakeLogoLoad);
}
