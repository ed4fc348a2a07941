#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "images/jpeg_loaders.h"
#include "tests/images/jpeg_test_streams.h"
#include "tests/images/loader_test.h"

// Truncated and damaged streams. Every stream ends at an inaccessible page, so a read past
// its end faults; under the sanitizers these also show any write outside the buffers and
// any leak or double release on the failure path.

namespace {

using LoaderDamageTest = LoaderTest;
using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;

int LineCount(const std::string& text) { return static_cast<int>(std::count(text.begin(), text.end(), '\n')); }

struct Streams {
    std::vector<unsigned char> colour = EncodeJpeg(NoiseImage(48, 40, 3, 7), {ColourCoding::YCbCr420, 90});
    std::vector<unsigned char> mask = EncodeJpeg(NoiseImage(48, 40, 1, 8), {ColourCoding::YCbCr420, 90});
    // Like the shipped logo: restart markers and an application segment ahead of the frame.
    std::vector<unsigned char> logo =
        EncodeJpeg(NoiseImage(64, 16, 1, 9), {ColourCoding::YCbCr420, 90, 2, false, 200});
};

enum class Target { Colour, Mask, Logo };

const char* TargetName(Target target) {
    switch (target) {
        case Target::Colour: return "colour";
        case Target::Mask: return "mask";
        case Target::Logo: return "logo";
    }
    return "";
}

// Serves the streams with `damaged` in place of the target's, runs its loader and checks
// that the outcome is whole either way: a built texture of the stream's size, or nothing.
bool LoadWith(const Streams& streams, Target target, const std::vector<unsigned char>& damaged) {
    ClearFakeResources();
    ResetBuiltTexture();
    SetFakeResource("COLOUR", target == Target::Colour ? damaged : streams.colour);
    SetFakeResource("MASK", target == Target::Mask ? damaged : streams.mask);
    SetFakeResource("LOGO", damaged);
    TextureImage image{};
    const bool loaded = target == Target::Logo ? LoadTexture(image, "LOGO")
                                               : LoadMaskedTexture(image, "COLOUR", "MASK");
    EXPECT_EQ(image.pixels, nullptr);
    if (loaded) {
        EXPECT_EQ(builtTexture.calls, 1);
        EXPECT_NE(image.texture, 0u);
        EXPECT_EQ(builtTexture.pixels.size(),
                  size_t{image.width} * image.height * static_cast<size_t>(image.bitsPerPixel / 8));
    } else {
        EXPECT_EQ(builtTexture.calls, 0);
        EXPECT_EQ(image.texture, 0u);
    }
    return loaded;
}

TEST_F(LoaderDamageTest, TruncatedStreamDecodesOnceItsScanHasBegunAndFailsBefore) {
    const Streams streams;
    for (Target target : {Target::Colour, Target::Mask, Target::Logo}) {
        const std::vector<unsigned char>& whole =
            target == Target::Colour ? streams.colour : target == Target::Mask ? streams.mask : streams.logo;
        const size_t scanData = ScanDataOffset(whole);
        std::vector<size_t> cuts;
        for (size_t cut = 0; cut < whole.size(); cut += 5) cuts.push_back(cut);
        for (size_t back = 1; back <= 4; ++back) cuts.push_back(whole.size() - back);
        for (size_t near = scanData - 4; near <= scanData; ++near) cuts.push_back(near);
        for (size_t cut : cuts) {
            SCOPED_TRACE(testing::Message() << TargetName(target) << " cut at " << cut << " of " << whole.size());
            const std::vector<unsigned char> truncated(whole.begin(), whole.begin() + static_cast<long>(cut));
            CaptureStderr();
            const bool loaded = LoadWith(streams, target, truncated);
            const std::string messages = GetCapturedStderr();
            // Once the scan's data has begun, the end-of-image marker supplied at the end of
            // the data completes the image; a cut before that breaks the headers. (The scan
            // header's last three bytes, spectral selection and approximation, only draw a
            // warning from a sequential decoder, so cuts there may go either way.)
            if (cut >= scanData) {
                EXPECT_TRUE(loaded);
            } else if (cut + 3 < scanData) {
                EXPECT_FALSE(loaded);
            }
            if (cut == 0) {
                EXPECT_EQ(messages, "");  // no bytes is no stream: a lookup failure
            } else {
                // The library's first warning and at most one error line.
                EXPECT_GE(LineCount(messages), 1) << messages;
                EXPECT_LE(LineCount(messages), 2) << messages;
            }
        }
    }
}

TEST_F(LoaderDamageTest, DamagedBytesNeverBreakTheLoader) {
    const Streams streams;
    for (Target target : {Target::Colour, Target::Mask, Target::Logo}) {
        const std::vector<unsigned char>& whole =
            target == Target::Colour ? streams.colour : target == Target::Mask ? streams.mask : streams.logo;
        // Every byte of the headers, and a spread of the coded data.
        const size_t scanData = ScanDataOffset(whole);
        std::vector<size_t> positions;
        for (size_t at = 0; at < scanData; ++at) positions.push_back(at);
        for (size_t at = scanData; at < whole.size(); at += 11) positions.push_back(at);
        int loadedCount = 0;
        for (size_t at : positions) {
            const unsigned char values[3] = {0x00, 0xFF, static_cast<unsigned char>(whole[at] ^ 0x5A)};
            for (unsigned char value : values) {
                SCOPED_TRACE(testing::Message() << TargetName(target) << " byte " << at << " set to " << int{value});
                std::vector<unsigned char> damaged = whole;
                damaged[at] = value;
                CaptureStderr();
                loadedCount += LoadWith(streams, target, damaged) ? 1 : 0;
                GetCapturedStderr();
            }
        }
        // Most damage to the coded data is recoverable; a loader that gave up on every
        // warning would fail here.
        EXPECT_GT(loadedCount, 0);
    }
}

}  // namespace
