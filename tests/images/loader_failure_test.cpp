#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "images/jpeg_loaders.h"
#include "tests/images/jpeg_test_streams.h"
#include "tests/images/loader_test.h"

namespace {

using LoaderFailureTest = LoaderTest;
using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;

const std::vector<unsigned char> notJpeg = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0};

std::vector<unsigned char> ColourStream(uint32_t width, uint32_t height) {
    return EncodeJpeg(BlockImage(width, height, 3));
}

std::vector<unsigned char> GreyStream(uint32_t width, uint32_t height) {
    return EncodeJpeg(BlockImage(width, height, 1));
}

TEST_F(LoaderFailureTest, MissingOrEmptyStreamFailsSilently) {
    SetFakeResource("EMPTY", nullptr, 0);
    for (const char* name : {"NOWHERE", "EMPTY"}) {
        SCOPED_TRACE(name);
        TextureImage masked{};
        TextureImage single{};
        CaptureStderr();
        EXPECT_FALSE(LoadMaskedTexture(masked, name, name));
        EXPECT_FALSE(LoadTexture(single, name));
        EXPECT_EQ(GetCapturedStderr(), "");
        ExpectNothingBuilt(masked);
        ExpectNothingBuilt(single);
    }
}

TEST_F(LoaderFailureTest, MissingMaskAfterGoodColourLeavesNoTexture) {
    SetFakeResource("COLOUR", ColourStream(32, 16));
    TextureImage image{};
    CaptureStderr();

    EXPECT_FALSE(LoadMaskedTexture(image, "COLOUR", "MASK"));

    EXPECT_EQ(GetCapturedStderr(), "");
    EXPECT_EQ(FakeLookupCount(), 2);
    ExpectNothingBuilt(image);
}

TEST_F(LoaderFailureTest, NotAJpegStreamWritesOneLineNamingItsFirstBytes) {
    SetFakeResource("GIF", notJpeg);
    SetFakeResource("COLOUR", ColourStream(16, 16));
    SetFakeResource("PNG", std::vector<unsigned char>{0x89, 'P', 'N', 'G'});
    struct Case {
        const char* colour;
        const char* mask;  // null for the single-stream loader
        const char* line;
    };
    const Case cases[] = {
        {"GIF", nullptr, "brisalo: Not a JPEG file: starts with 0x47 0x49\n"},
        {"GIF", "COLOUR", "brisalo: Not a JPEG file: starts with 0x47 0x49\n"},
        {"COLOUR", "PNG", "brisalo: Not a JPEG file: starts with 0x89 0x50\n"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(testing::Message() << test.colour << " " << (test.mask ? test.mask : "-"));
        TextureImage image{};
        CaptureStderr();
        const bool loaded = test.mask ? LoadMaskedTexture(image, test.colour, test.mask)
                                      : LoadTexture(image, test.colour);
        EXPECT_FALSE(loaded);
        EXPECT_EQ(GetCapturedStderr(), test.line);
        ExpectNothingBuilt(image);
    }
}

TEST_F(LoaderFailureTest, StreamsOutsideTheAtlasConstraintsAreRefused) {
    SetFakeResource("COLOUR", ColourStream(32, 16));
    SetFakeResource("GREY", GreyStream(32, 16));
    SetFakeResource("WIDER", GreyStream(40, 16));
    SetFakeResource("SHORTER", GreyStream(32, 8));
    SetFakeResource("TALLER", GreyStream(32, 24));
    SetFakeResource("SMALLER", GreyStream(8, 8));
    struct Case {
        const char* colour;
        const char* mask;
    };
    const Case cases[] = {
        {"GREY", "GREY"},       // colour stream of one component
        {"COLOUR", "COLOUR"},   // mask of three components, same size
        {"COLOUR", "WIDER"},
        {"COLOUR", "SHORTER"},
        {"COLOUR", "TALLER"},
        {"COLOUR", "SMALLER"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(testing::Message() << test.colour << " + " << test.mask);
        TextureImage image{};
        CaptureStderr();
        EXPECT_FALSE(LoadMaskedTexture(image, test.colour, test.mask));
        EXPECT_EQ(GetCapturedStderr(), "");
        ExpectNothingBuilt(image);
    }
}

TEST_F(LoaderFailureTest, SingleStreamWhoseRowsGlCannotReadIsRefused) {
    // 4-byte unpack alignment: 5 grey bytes or 3 x 6 colour bytes a row would be read as
    // padded rows, past the end of the buffer.
    SetFakeResource("GREY5", GreyStream(5, 4));
    SetFakeResource("COLOUR6", ColourStream(6, 4));
    SetFakeResource("COLOUR4", ColourStream(4, 4));
    for (const char* name : {"GREY5", "COLOUR6"}) {
        SCOPED_TRACE(name);
        TextureImage image{};
        EXPECT_FALSE(LoadTexture(image, name));
        ExpectNothingBuilt(image);
    }
    TextureImage image{};
    EXPECT_TRUE(LoadTexture(image, "COLOUR4"));
    EXPECT_EQ(image.bitsPerPixel, 24);
}

TEST_F(LoaderFailureTest, ImageOverFourThousandNinetySixOnASideIsRefusedBeforeDecoding) {
    // Frame headers over the data of a tiny image: damaged size bytes must cost neither
    // gigabytes nor seconds. 65500 x 65500 would not even fit 32-bit sizes; a progressive
    // stream would be buffered whole before the first row.
    struct Claim {
        uint16_t width, height;
        bool progressive;
    };
    for (const Claim claim : {Claim{65500, 65500, false}, Claim{8192, 8192, false}, Claim{8192, 8192, true},
                              Claim{4097, 16, false}, Claim{16, 4097, false}}) {
        SCOPED_TRACE(testing::Message() << claim.width << " x " << claim.height
                                        << (claim.progressive ? " progressive" : ""));
        ClearFakeResources();
        ResetBuiltTexture();
        std::vector<unsigned char> colour = EncodeJpeg(BlockImage(16, 16, 3), {ColourCoding::YCbCr420, 100, 0, claim.progressive});
        std::vector<unsigned char> grey = EncodeJpeg(BlockImage(16, 16, 1), {ColourCoding::YCbCr420, 100, 0, claim.progressive});
        SetFrameSize(colour, claim.width, claim.height);
        SetFrameSize(grey, claim.width, claim.height);
        SetFakeResource("COLOUR", colour);
        SetFakeResource("GREY", grey);
        SetFakeResource("MASK", GreyStream(16, 16));

        TextureImage atlas{};
        EXPECT_FALSE(LoadMaskedTexture(atlas, "COLOUR", "MASK"));
        ExpectNothingBuilt(atlas);
        EXPECT_EQ(FakeLookupCount(), 1);
        TextureImage logo{};
        EXPECT_FALSE(LoadTexture(logo, "GREY"));
        ExpectNothingBuilt(logo);
    }

    // 4096 itself still loads (the data runs out, and the rest decodes as grey).
    std::vector<unsigned char> colour = ColourStream(16, 16);
    std::vector<unsigned char> mask = GreyStream(16, 16);
    SetFrameSize(colour, 4096, 16);
    SetFrameSize(mask, 4096, 16);
    SetFakeResource("WIDE_COLOUR", colour);
    SetFakeResource("WIDE_MASK", mask);
    TextureImage wide{};
    CaptureStderr();
    EXPECT_TRUE(LoadMaskedTexture(wide, "WIDE_COLOUR", "WIDE_MASK"));
    GetCapturedStderr();
    EXPECT_EQ(wide.width, 4096u);
}

}  // namespace
