#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "render/offscreen_target.h"
#include "render/renderer.h"
#include "scene/random.h"

namespace {

// Direction in degrees of the half-plane that a clip plane keeps.
double facing(const double plane[4]) {
    double degrees = std::atan2(plane[1], plane[0]) * 180.0 / M_PI;
    return degrees < 0 ? degrees + 360.0 : degrees;
}

struct SectorCase {
    float angle;
    float sectorsPerTurn;
    int32_t sectorCount;
    bool partial;
    float partialAngle;
};

TEST(SectorGeometry, CountsAndPartialSectorsFollowTheAngle) {
    const SectorCase cases[] = {
        {36.0f, 10.0f, 10, false, 0.0f},       {45.0f, 8.0f, 8, false, 0.0f},
        {40.0f, 9.0f, 9, false, 0.0f},         {50.0f, 7.2f, 8, true, 10.0f},
        {42.0f, 8.571428f, 9, true, 24.0f},    {45.0001f, 7.99998f, 8, true, 44.9993f},
    };
    for (const SectorCase& c : cases) {
        Renderer r;
        r.setSectorAngle(c.angle);
        SCOPED_TRACE(c.angle);
        EXPECT_FLOAT_EQ(r.sectorAngle, c.angle);
        EXPECT_FLOAT_EQ(r.geometryAngle, c.angle);
        EXPECT_NEAR(r.sectorsPerTurn, c.sectorsPerTurn, 1e-5);
        EXPECT_EQ(r.sectorCount, c.sectorCount);
        EXPECT_EQ(r.hasPartialSector, c.partial);
        if (c.partial) {
            EXPECT_NEAR(r.partialAngle, c.partialAngle, 2e-3);
        }
    }
}

TEST(SectorGeometry, FullSectorPlanesAndOutline) {
    Renderer r;
    r.setSectorAngle(36.0f);
    EXPECT_EQ(r.startPlane[0], 1.0);
    EXPECT_EQ(r.startPlane[1], 0.0);
    EXPECT_NEAR(facing(r.endPlane), 216.0, 1e-3);  // keeps the clockwise side of 306 degrees
    // 4.712385 rad is a hair short of 270 degrees.
    EXPECT_NEAR(r.outlineStart.x, 0.0f, 1e-4);
    EXPECT_NEAR(r.outlineStart.y, -4.0f, 1e-5);
    EXPECT_NEAR(r.outlineEnd.x, 4.0f * std::sin(36.0 * M_PI / 180.0), 1e-4);
    EXPECT_NEAR(r.outlineEnd.y, -4.0f * std::cos(36.0 * M_PI / 180.0), 1e-4);
}

TEST(SectorGeometry, EvenCountNarrowsTheSectorsStartOddCountItsEnd) {
    Renderer even;
    even.setSectorAngle(50.0f);
    EXPECT_EQ(even.partialStartPlane[0], 1.0);
    EXPECT_EQ(even.partialStartPlane[1], 0.0);
    EXPECT_NEAR(facing(even.partialEndPlane), 190.0, 1e-3);  // keeps 270 to 280 degrees

    Renderer odd;
    odd.setSectorAngle(42.0f);
    EXPECT_NEAR(facing(odd.partialStartPlane), 18.0, 1e-3);  // keeps 288 to 312 degrees
    EXPECT_NEAR(facing(odd.partialEndPlane), 222.0, 1e-3);
    for (int k = 0; k < 4; ++k) EXPECT_EQ(odd.partialEndPlane[k], odd.endPlane[k]);
}

TEST(SectorGeometry, LosingThePartialSectorKeepsOldPlanesButClearsTheFlag) {
    Renderer r;
    r.setSectorAngle(50.0f);
    r.setSectorAngle(45.0f);
    EXPECT_FALSE(r.hasPartialSector);
    EXPECT_EQ(r.sectorCount, 8);
}

TEST(OffscreenViewport, KeepsTheWindowAspectAtHeight512) {
    OffscreenViewport v = offscreenViewport(1024, 768);
    EXPECT_EQ(v.width, 682);
    EXPECT_EQ(v.copyX, 85);
    v = offscreenViewport(1280, 1024);
    EXPECT_EQ(v.width, 640);
    EXPECT_EQ(v.copyX, 64);
    v = offscreenViewport(152, 112);  // a host's preview
    EXPECT_EQ(v.width, 694);
    EXPECT_EQ(v.copyX, 91);
    v = offscreenViewport(600, 1000);  // narrower than tall: the copy starts left of it
    EXPECT_EQ(v.width, 307);
    EXPECT_EQ(v.copyX, -102);
    v = offscreenViewport(100000, 1);  // no overflow on absurd shapes
    EXPECT_EQ(v.width, 51200000);
}

TEST(KeyHook, MirrorSuppressionToggles) {
    Renderer r;
    EXPECT_TRUE(r.toggleMirrorSuppression());
    EXPECT_TRUE(r.mirrorsSuppressed);
    EXPECT_FALSE(r.toggleMirrorSuppression());
    EXPECT_FALSE(r.mirrorsSuppressed);
}

}  // namespace

// Window ids a host hands out differ in a few bits anywhere; the generator's output must
// differ from its first draws, while no salt leaves the seed as it was.
TEST(SaltedSeed, CopiesInOtherWindowsDrawOtherSequences) {
    EXPECT_EQ(SaltedSeed(200u, 0u), 200u);
    for (uint32_t other : {0x600012u, 0x700010u, 0x80600010u}) {
        std::vector<int32_t> first;
        std::vector<int32_t> second;
        SeedRandom(SaltedSeed(200u, 0x600010u));
        for (int i = 0; i < 8; ++i) first.push_back(DrawRandom());
        SeedRandom(SaltedSeed(200u, other));
        for (int i = 0; i < 8; ++i) second.push_back(DrawRandom());
        EXPECT_NE(first, second) << std::hex << other;
    }
}

TEST(FpsOverlay, TextHasOneDecimalAndABound) {
    char text[16];
    EXPECT_EQ(FormatFps(23.94f, text, sizeof text), 8);
    EXPECT_STREQ(text, "23.9 fps");
    FormatFps(1e9f, text, sizeof text);
    EXPECT_STREQ(text, "9999.9 fps");
    FormatFps(-3.0f, text, sizeof text);
    EXPECT_STREQ(text, "0.0 fps");
    EXPECT_EQ(FormatFps(23.94f, text, 5), 4);  // cut, still ended
    EXPECT_STREQ(text, "23.9");
}
