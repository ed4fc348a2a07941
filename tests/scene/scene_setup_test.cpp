#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "render/renderer.h"
#include "scene/random.h"
#include "scene/random_draws.h"
#include "scene/scene.h"
#include "tests/scene/fakes.h"
#include "tests/scene/random_control.h"
#include "tests/scene/scene_harness.h"

namespace {

class SceneSetup : public ::testing::Test {
protected:
    void SetUp() override { ResetFakes(); }
    Renderer renderer;
};

TEST_F(SceneSetup, ConstructionSetsTheRecordAndDrawsOnlyTheCoin) {
    SeedForNextDraw(16383);
    Scene heads(&renderer);
    EXPECT_EQ(currentScene, &heads);
    EXPECT_EQ(heads.renderer, &renderer);
    EXPECT_TRUE(heads.uniformFaces);
    EXPECT_EQ(heads.buttons, nullptr);
    EXPECT_EQ(heads.images, nullptr);
    EXPECT_EQ(heads.spinRate, 0.0f);
    EXPECT_EQ(heads.feedbackZoom, 2.4f);
    EXPECT_EQ(heads.transitionTick, 0);
    EXPECT_EQ(heads.transitionLength, 0);
    EXPECT_EQ(heads.currentFace, 0);
    EXPECT_EQ(heads.faceCount, 128);
    EXPECT_EQ(heads.targetSectorsPerTurn, 8);
    EXPECT_EQ(heads.sectorEasingSpeed, 0.0f);
    EXPECT_TRUE(heads.sectorEasing);

    SeedForNextDraw(16384);
    Scene tails(&renderer);
    EXPECT_EQ(currentScene, &tails);
    EXPECT_FALSE(tails.uniformFaces);
    EXPECT_TRUE(fakeCalls.empty()) << "construction makes no GL call";
}

TEST_F(SceneSetup, LoadsBothImagesIntoTheirRecordsThenSetsGlState) {
    SeedRandom(3);
    Scene scene(&renderer);
    scene.setup();
    ASSERT_NE(scene.images, nullptr);
    ASSERT_NE(scene.buttons, nullptr);
    EXPECT_EQ(fakeAtlasRecord, &scene.images->records[0]);
    EXPECT_EQ(fakeLogoRecord, &scene.images->records[1]);
    const std::vector<std::string> expected = {
        "LoadMaskedTexture JPEG_ORBELINE_RGB JPEG_ORBELINE_MASK",
        "LoadTexture LOGO_MASK",
        "glDisable " + std::to_string(GL_LIGHTING),
        "glClearColor 0.000000 0.000000 0.000000 1.000000",
    };
    EXPECT_EQ(fakeCalls, expected);
    // Record 2 is never filled.
    EXPECT_EQ(scene.images->records[2].width, 0u);
    EXPECT_EQ(scene.images->records[2].texture, 0u);
    EXPECT_EQ(scene.images->records[2].pixels, nullptr);
}

TEST_F(SceneSetup, TeardownDeletesTheTwoTextures) {
    {
        Scene scene(&renderer);
        scene.setup();
        fakeCalls.clear();
    }
    EXPECT_EQ(fakeCalls, std::vector<std::string>{"glDeleteTextures 11 12"});

    ResetFakes();
    { Scene neverSetUp(&renderer); }
    EXPECT_TRUE(fakeCalls.empty()) << "no images, no textures to delete";
}

// Replays the generator to check that set-up draws in its fixed order: the coin, two
// face draws of which the second stands, then per button angle, distance, size, the
// face when faces are random, and the spin angle.
TEST_F(SceneSetup, DrawsInTheFixedOrder) {
    for (uint32_t seed : {5u, 6u, 77u, 200u}) {
        SeedRandom(seed);
        Scene scene(&renderer);
        scene.setup();

        SeedRandom(seed);
        const bool uniform = randomCoin();
        randomIndex(128);
        const int32_t face = randomIndex(128);
        EXPECT_EQ(scene.uniformFaces, uniform);
        EXPECT_EQ(scene.currentFace, face);
        for (int32_t i = 0; i < 3; ++i) {
            const float angle = randomUniform(0.0f, 6.2831802f);
            const float distance = randomUniform(0.0f, 4.0f);
            const float size = 0.2f + randomUniform(0.0f, 0.40000004f);
            const int32_t buttonFace = uniform ? face : randomIndex(128);
            const float spin = randomUniform(0.0f, 360.0f);
            const Button& b = scene.buttons[i];
            EXPECT_EQ(b.position.x, distance * std::cos(angle)) << seed << " " << i;
            EXPECT_EQ(b.position.y, distance * std::sin(angle)) << seed << " " << i;
            EXPECT_EQ(b.size, size);
            EXPECT_EQ(b.face, buttonFace);
            EXPECT_EQ(b.spinAngle, spin);
        }
    }
}

// All 256 seeds that the calendar can give, followed by the Renderer's discarded draw.
TEST_F(SceneSetup, EverySeedPlacesValidButtonsOnTheirCycleGrid) {
    renderer.elapsedSeconds = 0.0f;
    int32_t uniformRuns = 0;
    for (uint32_t seed = 0; seed < 256; ++seed) {
        SeedRandom(seed);
        DrawRandom();
        Scene scene(&renderer);
        scene.setup();
        uniformRuns += scene.uniformFaces ? 1 : 0;
        bool allShareAFace = true;
        for (int32_t i = 0; i < kButtonCount; ++i) {
            const Button& b = scene.buttons[i];
            const float distance = std::hypot(b.position.x, b.position.y);
            ASSERT_LE(distance, 4.0f) << seed << " " << i;
            ASSERT_EQ(b.position.z, 0.0f);
            ASSERT_EQ(b.velocity.x, 0.0f);
            ASSERT_EQ(b.velocity.y, 0.0f);
            ASSERT_EQ(b.force.y, 0.0f);
            ASSERT_GE(b.size, 0.2f);
            // The top draw rounds to the float nearest 0.6, a hair above 0.6 itself.
            ASSERT_LE(b.size, 0.6f);
            ASSERT_GE(b.spinAngle, 0.0f);
            ASSERT_LT(b.spinAngle, 360.0f);
            ASSERT_GE(b.face, 0);
            ASSERT_LT(b.face, 128);
            ASSERT_FLOAT_EQ(b.phase, static_cast<float>(i) / 60.0f);
            ASSERT_NEAR(b.birthTime, -16.0f * static_cast<float>(i) / 60.0f, 1e-5f);
            ASSERT_EQ(b.cellWidth, 0.0625f);
            ASSERT_EQ(b.cellHeight, 0.125f);
            ASSERT_EQ(b.faceS, static_cast<float>(b.face % 16) * 0.0625f);
            ASSERT_EQ(b.faceT, static_cast<float>(b.face / 16) * 0.125f);
            allShareAFace = allShareAFace && b.face == scene.currentFace;
        }
        if (scene.uniformFaces) {
            EXPECT_TRUE(allShareAFace) << seed;
        } else {
            EXPECT_FALSE(allShareAFace) << seed;
        }
    }
    // Both face modes occur at the start.
    EXPECT_GT(uniformRuns, 64);
    EXPECT_LT(uniformRuns, 192);
}

TEST_F(SceneSetup, FailedAtlasLoadLeavesEmptyCellsNotInfinities) {
    fakeAtlasLoad.succeeds = false;
    SeedRandom(9);
    {
        Scene scene(&renderer);
        scene.setup();
        for (int32_t i = 0; i < kButtonCount; ++i) {
            const Button& b = scene.buttons[i];
            EXPECT_EQ(b.cellWidth, 0.0f);
            EXPECT_EQ(b.cellHeight, 0.0f);
            EXPECT_EQ(b.faceS, 0.0f);
            EXPECT_EQ(b.faceT, 0.0f);
        }
        EXPECT_EQ(scene.images->records[1].texture, 12u) << "the logo still loads";
        fakeCalls.clear();
    }
    EXPECT_EQ(fakeCalls, std::vector<std::string>{"glDeleteTextures 0 12"});
}

TEST(ButtonFace, CellOfAFaceInTheAtlas) {
    struct Case {
        int32_t face;
        float s;
        float t;
    };
    SceneHarness h;
    h.giveAtlas();
    h.scene.uniformFaces = true;
    for (const Case& c : {Case{0, 0.0f, 0.0f}, Case{37, 0.3125f, 0.25f},
                          Case{127, 0.9375f, 0.875f}, Case{16, 0.0f, 0.125f}}) {
        h.scene.currentFace = c.face;
        Button& b = h.button(0);
        b.assignFace();
        EXPECT_EQ(b.face, c.face);
        EXPECT_EQ(b.faceS, c.s) << c.face;
        EXPECT_EQ(b.faceT, c.t) << c.face;
        EXPECT_EQ(b.cellWidth, 0.0625f);
        EXPECT_EQ(b.cellHeight, 0.125f);
    }
    // The sides come from the loaded atlas, not from the shipped size.
    h.scene.images->records[0].width = 1024;
    h.scene.images->records[0].height = 512;
    h.button(0).assignFace();
    EXPECT_EQ(h.button(0).cellWidth, 0.125f);
    EXPECT_EQ(h.button(0).cellHeight, 0.25f);
}

TEST(ButtonFace, NewFaceKeepsPhasePlaceAndMotion) {
    SceneHarness h;
    h.giveAtlas();
    h.renderer.elapsedSeconds = 10.0f;
    Button& b = h.button(3);
    b.phase = 0.25f;
    b.velocity.set(0.01f, -0.02f, 0.0f);
    const Vec3 where = b.position;
    b.assignFace();
    EXPECT_EQ(b.birthTime, 6.0f);
    EXPECT_EQ(b.phase, 0.25f);
    EXPECT_EQ(b.position.x, where.x);
    EXPECT_EQ(b.position.y, where.y);
    EXPECT_EQ(b.velocity.x, 0.01f);
    EXPECT_EQ(b.velocity.y, -0.02f);
}

}  // namespace
