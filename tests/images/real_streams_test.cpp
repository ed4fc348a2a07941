#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "images/embedded_streams.h"
#include "images/jpeg_loaders.h"
#include "tests/images/jpeg_test_streams.h"
#include "tests/images/loader_test.h"

// The shipped streams, served from the compiled-in table through the test lookup.

namespace {

class RealStreamsTest : public LoaderTest {
protected:
    void SetUp() override {
        LoaderTest::SetUp();
        for (uint32_t i = 0; i < embeddedStreamCount; ++i) {
            SetFakeResource(embeddedStreams[i].name, embeddedStreams[i].bytes, embeddedStreams[i].size);
        }
    }

    static std::vector<unsigned char> Stream(const char* name) {
        for (uint32_t i = 0; i < embeddedStreamCount; ++i) {
            const EmbeddedStream& stream = embeddedStreams[i];
            if (std::strcmp(stream.name, name) == 0) return {stream.bytes, stream.bytes + stream.size};
        }
        ADD_FAILURE() << name << " is not embedded";
        return {};
    }
};

TEST_F(RealStreamsTest, EachIsOneWholeJpegStream) {
    ASSERT_EQ(embeddedStreamCount, 3u);
    for (const char* name : {"JPEG_ORBELINE_RGB", "JPEG_ORBELINE_MASK", "LOGO_MASK"}) {
        SCOPED_TRACE(name);
        const std::vector<unsigned char> stream = Stream(name);
        ASSERT_GE(stream.size(), 4u);
        EXPECT_EQ(stream[0], 0xFF);
        EXPECT_EQ(stream[1], 0xD8);
        EXPECT_EQ(stream[stream.size() - 2], 0xFF);
        EXPECT_EQ(stream[stream.size() - 1], 0xD9);
    }
}

TEST_F(RealStreamsTest, AtlasBufferIsTheColourImageWithTheMaskAsAlpha) {
    const RawImage colour = DecodeJpeg(Stream("JPEG_ORBELINE_RGB"));
    const RawImage mask = DecodeJpeg(Stream("JPEG_ORBELINE_MASK"));
    TextureImage image{};

    ASSERT_TRUE(LoadMaskedTexture(image, "JPEG_ORBELINE_RGB", "JPEG_ORBELINE_MASK"));

    ASSERT_EQ(image.width, 2048u);
    ASSERT_EQ(image.height, 1024u);
    EXPECT_EQ(image.bitsPerPixel, 32);
    const std::vector<unsigned char>& pixels = builtTexture.pixels;
    ASSERT_EQ(pixels.size(), size_t{2048} * 1024 * 4);
    size_t mismatches = 0;
    for (uint32_t y = 0; y < 1024; ++y) {
        for (uint32_t x = 0; x < 2048; ++x) {
            const size_t at = 4 * (size_t{y} * 2048 + x);
            for (int c = 0; c < 3; ++c) mismatches += pixels[at + c] != colour.at(x, y, c);
            mismatches += pixels[at + 3] != mask.at(x, y, 0);
        }
    }
    EXPECT_EQ(mismatches, 0u);
    // Every cell is a disc: opaque at its centre, transparent in its corners.
    auto alpha = [&](uint32_t x, uint32_t y) { return pixels[4 * (size_t{y} * 2048 + x) + 3]; };
    std::vector<uint32_t> cellsNotDiscs;
    for (uint32_t cell = 0; cell < 128; ++cell) {
        const uint32_t left = 128 * (cell % 16), top = 128 * (cell / 16);
        if (alpha(left + 64, top + 64) < 250 || alpha(left + 1, top + 1) > 5 ||
            alpha(left + 126, top + 126) > 5) {
            cellsNotDiscs.push_back(cell);
        }
    }
    EXPECT_TRUE(cellsNotDiscs.empty()) << cellsNotDiscs.size() << " cells, the first " << cellsNotDiscs[0];
}

TEST_F(RealStreamsTest, LogoBufferIsItsMaskSamples) {
    const RawImage logo = DecodeJpeg(Stream("LOGO_MASK"));
    TextureImage image{};

    ASSERT_TRUE(LoadTexture(image, "LOGO_MASK"));

    EXPECT_EQ(image.width, 256u);
    EXPECT_EQ(image.height, 64u);
    EXPECT_EQ(image.bitsPerPixel, 8);
    ASSERT_EQ(builtTexture.pixels.size(), 16384u);
    EXPECT_EQ(builtTexture.pixels, logo.samples);
}

}  // namespace
