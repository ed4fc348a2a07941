#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "images/jpeg_loaders.h"
#include "tests/images/jpeg_test_streams.h"
#include "tests/images/loader_test.h"

namespace {

using LoaderLayoutTest = LoaderTest;

// The mask's samples differ from every colour channel, so a swap would show.
RawImage BlockMask(uint32_t width, uint32_t height) {
    RawImage mask{width, height, 1, {}};
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x) mask.samples.push_back(BlockSample(x, y, 3));
    }
    return mask;
}

size_t PixelOffset(uint32_t x, uint32_t y, uint32_t width) { return 4 * (size_t{y} * width + x); }

TEST_F(LoaderLayoutTest, AtlasPixelHoldsRedGreenBlueThenMaskTopRowFirst) {
    const uint32_t width = 40, height = 24;
    SetFakeResource("COLOUR", EncodeJpeg(BlockImage(width, height, 3), {ColourCoding::Rgb}));
    SetFakeResource("MASK", EncodeJpeg(BlockMask(width, height)));
    TextureImage image{};

    ASSERT_TRUE(LoadMaskedTexture(image, "COLOUR", "MASK"));

    EXPECT_EQ(image.texture, 1u);
    EXPECT_EQ(image.width, width);
    EXPECT_EQ(image.height, height);
    EXPECT_EQ(image.bitsPerPixel, 32);
    ASSERT_EQ(builtTexture.calls, 1);
    const std::vector<unsigned char>& pixels = builtTexture.pixels;
    ASSERT_EQ(pixels.size(), size_t{width} * height * 4);
    // Top-left block, and the block at the bottom-left: the buffer starts with the top row.
    const unsigned char topLeft[4] = {17, 118, 219, 64};
    const unsigned char bottomLeft[4] = {159, 4, 105, 206};
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(pixels[PixelOffset(3, 5, width) + c], topLeft[c]) << c;
        EXPECT_EQ(pixels[PixelOffset(0, height - 1, width) + c], bottomLeft[c]) << c;
    }
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x) {
            for (int c = 0; c < 4; ++c) {
                ASSERT_EQ(pixels[PixelOffset(x, y, width) + c], BlockSample(x, y, c))
                    << "pixel " << x << "," << y << " byte " << c;
            }
        }
    }
}

TEST_F(LoaderLayoutTest, AtlasMatchesLibjpegsOwnDecodeForSubsampledStreamsOfAnySize) {
    struct Size { uint32_t width, height; };
    for (Size size : {Size{37, 21}, Size{16, 16}, Size{1, 1}, Size{130, 3}}) {
        SCOPED_TRACE(testing::Message() << size.width << "x" << size.height);
        ResetBuiltTexture();
        const std::vector<unsigned char> colour =
            EncodeJpeg(NoiseImage(size.width, size.height, 3, 1), {ColourCoding::YCbCr420, 85});
        const std::vector<unsigned char> mask = EncodeJpeg(NoiseImage(size.width, size.height, 1, 2), {ColourCoding::YCbCr420, 85});
        SetFakeResource("COLOUR", colour);
        SetFakeResource("MASK", mask);
        const RawImage wantColour = DecodeJpeg(colour);
        const RawImage wantMask = DecodeJpeg(mask);
        TextureImage image{};

        ASSERT_TRUE(LoadMaskedTexture(image, "COLOUR", "MASK"));

        ASSERT_EQ(builtTexture.pixels.size(), size_t{size.width} * size.height * 4);
        for (uint32_t y = 0; y < size.height; ++y) {
            for (uint32_t x = 0; x < size.width; ++x) {
                const size_t at = PixelOffset(x, y, size.width);
                for (int c = 0; c < 3; ++c) ASSERT_EQ(builtTexture.pixels[at + c], wantColour.at(x, y, c));
                ASSERT_EQ(builtTexture.pixels[at + 3], wantMask.at(x, y, 0));
            }
        }
    }
}

TEST_F(LoaderLayoutTest, SingleStreamKeepsItsComponentsAndWholeRows) {
    struct Case {
        const char* what;
        RawImage raw;
        EncodeOptions options;
        int bitsPerPixel;
    };
    const Case cases[] = {
        {"logo-sized mask", BlockImage(256, 64, 1), {}, 8},
        {"mask with restarts and an APP1 segment", BlockImage(64, 16, 1), {ColourCoding::YCbCr420, 100, 4, false, 300}, 8},
        {"progressive mask", BlockImage(32, 24, 1), {ColourCoding::YCbCr420, 100, 0, true}, 8},
        {"colour", BlockImage(20, 8, 3), {ColourCoding::Rgb}, 24},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        ResetBuiltTexture();
        SetFakeResource("IMAGE", EncodeJpeg(test.raw, test.options));
        TextureImage image{};

        ASSERT_TRUE(LoadTexture(image, "IMAGE"));

        EXPECT_EQ(image.texture, 1u);
        EXPECT_EQ(image.width, test.raw.width);
        EXPECT_EQ(image.height, test.raw.height);
        EXPECT_EQ(image.bitsPerPixel, test.bitsPerPixel);
        // Flat blocks at quality 100 decode to exactly what was encoded, top row first.
        EXPECT_EQ(builtTexture.pixels, test.raw.samples);
    }
}

}  // namespace
