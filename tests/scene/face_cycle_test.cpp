#include <gtest/gtest.h>

#include "platform/keys.h"
#include "render/renderer.h"
#include "scene/random.h"
#include "scene/scene.h"
#include "tests/scene/fakes.h"
#include "tests/scene/random_control.h"
#include "tests/scene/scene_harness.h"

namespace {

// Free places off the grid: below it and right of the vertical axis is in view
// (x >= 0, y <= 0); left of the grid at (-3.2, 0) is out of view.
constexpr float kInViewX = 0.35f;
constexpr float kInViewY = -3.1f;

TEST(FaceCycle, RunOutInViewKeepsTheFaceAndTicksEveryUpdate) {
    SceneHarness h;
    h.giveAtlas();
    h.renderer.elapsedSeconds = 20.0f;
    for (int32_t i = 0; i < kButtonCount; ++i) h.button(i).birthTime = 20.0f;
    Button& b = h.button(36);
    b.position.set(kInViewX, kInViewY, 0.0f);
    b.birthTime = 0.0f;
    b.face = 5;
    h.scene.transitionLength = 100;
    h.scene.uniformFaces = true;
    h.scene.currentFace = 77;

    for (int32_t tick = 1; tick <= 3; ++tick) {
        h.scene.update();
        EXPECT_EQ(h.scene.transitionTick, tick);
        EXPECT_EQ(b.face, 5);
        EXPECT_EQ(b.birthTime, 0.0f);
        EXPECT_FLOAT_EQ(b.phase, 0.25f);
    }

    b.position.set(-3.2f, 0.0f, 0.0f);
    h.scene.update();
    EXPECT_EQ(h.scene.transitionTick, 4);
    EXPECT_EQ(b.face, 77);
    EXPECT_EQ(b.birthTime, 16.0f) << "on its old 16-second grid";
    EXPECT_FLOAT_EQ(b.phase, 0.25f);

    h.scene.update();
    EXPECT_EQ(h.scene.transitionTick, 4) << "the new cycle is running";
}

TEST(FaceCycle, ViewTestUsesTheBoundingSquare) {
    struct Case {
        float x;
        float y;
        bool takesFace;
    };
    // Size 0.2: a square reaching x >= 0 or y <= 0 by any amount is in view.
    for (const Case& c : {Case{-0.15f, -3.1f, false}, Case{3.1f, 0.15f, false},
                          Case{-0.25f, -3.1f, true}, Case{3.1f, 0.25f, true},
                          Case{-0.15f, 3.1f, true}, Case{-3.2f, -0.15f, true}}) {
        SceneHarness h;
        h.giveAtlas();
        h.renderer.elapsedSeconds = 20.0f;
        for (int32_t i = 0; i < kButtonCount; ++i) h.button(i).birthTime = 20.0f;
        Button& b = h.button(36);
        b.position.set(c.x, c.y, 0.0f);
        b.birthTime = 0.0f;
        b.face = 5;
        h.scene.uniformFaces = true;
        h.scene.currentFace = 77;
        h.scene.transitionLength = 100;
        h.scene.update();
        EXPECT_EQ(b.face, c.takesFace ? 77 : 5) << c.x << "," << c.y;
    }
}

TEST(FaceCycle, ButtonFiftyNineRunsOutFirstAfterSetup) {
    ResetFakes();
    Renderer renderer;
    SeedRandom(11);
    Scene scene(&renderer);
    scene.setup();
    renderer.elapsedSeconds = 0.25f;
    scene.update();
    EXPECT_EQ(scene.transitionTick, 0);
    EXPECT_EQ(scene.transitionLength, 0) << "no cycle has run out yet";
    renderer.elapsedSeconds = 0.3f;
    const bool mode = scene.uniformFaces;
    scene.update();
    // Transition length 0 at the start: the first tick starts the first transition.
    EXPECT_EQ(scene.transitionTick, 0);
    EXPECT_GE(scene.transitionLength, 3);
    EXPECT_NE(scene.uniformFaces, mode);
    EXPECT_NEAR(scene.buttons[59].phase, (0.3f + 16.0f * 59.0f / 60.0f) / 16.0f - 1.0f, 1e-5f);
    EXPECT_LT(scene.buttons[58].phase, 1.0f);
}

TEST(Transitions, FirstTickStartsATransitionOfThreeToSixtyThreeTicks) {
    struct Case {
        int32_t draw;
        int32_t length;
    };
    for (const Case& c : {Case{0, 3}, Case{32767, 63}, Case{16384, 33}}) {
        SceneHarness h;
        h.scene.uniformFaces = false;
        SeedForNextDraw(c.draw);
        h.scene.tickTransition();
        EXPECT_EQ(h.scene.transitionLength, c.length) << c.draw;
        EXPECT_EQ(h.scene.transitionTick, 0);
        EXPECT_TRUE(h.scene.uniformFaces);
        EXPECT_GE(h.scene.currentFace, 0);
        EXPECT_LT(h.scene.currentFace, 128);
    }
}

TEST(Transitions, LastLengthPlusOneTicksAndAlternateTheFaceMode) {
    SceneHarness h;
    h.scene.newTransition(1.0f);
    EXPECT_EQ(h.scene.transitionLength, 3);
    const bool mode = h.scene.uniformFaces;
    for (int32_t tick = 1; tick <= 3; ++tick) {
        h.scene.tickTransition();
        EXPECT_EQ(h.scene.transitionTick, tick);
        EXPECT_EQ(h.scene.uniformFaces, mode);
    }
    h.scene.tickTransition();
    EXPECT_EQ(h.scene.transitionTick, 0);
    EXPECT_NE(h.scene.uniformFaces, mode);

    h.scene.newTransition(0.5f);
    EXPECT_EQ(h.scene.transitionLength, 1);
    EXPECT_EQ(h.scene.uniformFaces, mode);
}

TEST(Keys, DownArrowRestartsEveryButtonInANewTransition) {
    for (bool uniformBefore : {false, true}) {
        SceneHarness h;
        h.giveAtlas();
        h.renderer.elapsedSeconds = 5.0f;
        h.scene.uniformFaces = uniformBefore;
        h.scene.transitionTick = 7;
        for (int32_t i = 0; i < kButtonCount; ++i) h.button(i).velocity.set(0.1f, 0.2f, 0.0f);
        SeedRandom(21);
        h.scene.handleKey(VK_DOWN);
        EXPECT_EQ(h.scene.transitionLength, 1);
        EXPECT_EQ(h.scene.transitionTick, 0);
        EXPECT_EQ(h.scene.uniformFaces, !uniformBefore);
        bool allShare = true;
        for (int32_t i = 0; i < kButtonCount; ++i) {
            const Button& b = h.button(i);
            EXPECT_EQ(b.velocity.x, 0.0f);
            EXPECT_EQ(b.velocity.y, 0.0f);
            EXPECT_EQ(b.force.y, 0.0f);
            EXPECT_NEAR(b.birthTime, 5.0f - 16.0f * static_cast<float>(i) / 60.0f, 1e-5f);
            allShare = allShare && b.face == h.scene.currentFace;
        }
        EXPECT_EQ(allShare, !uniformBefore);
    }
}

TEST(Keys, ArrowsChangeZoomWithoutBounds) {
    SceneHarness h;
    for (int32_t i = 0; i < 24; ++i) h.scene.handleKey(VK_LEFT);
    EXPECT_NEAR(h.scene.feedbackZoom, 0.0f, 1e-5f);
    h.scene.handleKey(VK_LEFT);
    EXPECT_NEAR(h.scene.feedbackZoom, -0.1f, 1e-5f);
    h.scene.handleKey(VK_RIGHT);
    h.scene.handleKey(VK_RIGHT);
    EXPECT_NEAR(h.scene.feedbackZoom, 0.1f, 1e-5f);
}

TEST(Keys, OtherCodesChangeNothing) {
    SceneHarness h;
    for (uint32_t code : {VK_SPACE, VK_HOME, VK_DOWN + 1, VK_0, VK_G - 1, VK_G + 1, VK_M, VK_S, 0x67u, 1u}) {
        h.scene.handleKey(code);
    }
    EXPECT_EQ(h.scene.feedbackZoom, 2.4f);
    EXPECT_EQ(h.scene.spinRate, 0.0f);
    EXPECT_TRUE(h.scene.sectorEasing);
    EXPECT_EQ(h.scene.transitionLength, 0);
    EXPECT_EQ(h.button(0).position.x, -2.45f);
}

}  // namespace
