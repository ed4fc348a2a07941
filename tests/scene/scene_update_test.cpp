#include <gtest/gtest.h>

#include <cmath>

#include "platform/keys.h"
#include "render/renderer.h"
#include "scene/random.h"
#include "scene/scene.h"
#include "tests/scene/fakes.h"
#include "tests/scene/scene_harness.h"

namespace {

TEST(SectorEasing, AcceleratesFromTenAndLandsExactlyOnEight) {
    SceneHarness h;
    h.scene.update();
    EXPECT_FLOAT_EQ(h.renderer.sectorsPerTurn, 9.999f);
    EXPECT_FLOAT_EQ(h.renderer.sectorAngle, 36.0036f);
    h.updates(61);
    EXPECT_NEAR(h.renderer.sectorsPerTurn, 8.047f, 1e-4f);
    EXPECT_GT(h.renderer.sectorsPerTurn, 8.0f);
    h.scene.update();
    EXPECT_EQ(h.renderer.sectorsPerTurn, 8.0f);
    EXPECT_EQ(h.renderer.sectorAngle, 45.0f);
    const float speed = h.scene.sectorEasingSpeed;
    EXPECT_NEAR(speed, -0.063f, 1e-5f);
    h.updates(20);
    EXPECT_EQ(h.renderer.sectorsPerTurn, 8.0f);
    EXPECT_EQ(h.renderer.sectorAngle, 45.0f);
    EXPECT_EQ(h.scene.sectorEasingSpeed, speed) << "the speed is kept once landed";
}

TEST(SectorEasing, EasesUpwardFromBelowTheTarget) {
    SceneHarness h;
    h.renderer.sectorsPerTurn = 7.0f;
    h.scene.update();
    EXPECT_FLOAT_EQ(h.renderer.sectorsPerTurn, 7.001f);
    // 7 + 0.001 * n(n+1)/2: 7.99 after 44 updates, over the target at the 45th.
    h.updates(43);
    EXPECT_NEAR(h.renderer.sectorsPerTurn, 7.99f, 1e-4f);
    h.scene.update();
    EXPECT_EQ(h.renderer.sectorsPerTurn, 8.0f);
    EXPECT_EQ(h.renderer.sectorAngle, 45.0f);
}

TEST(SectorEasing, KeyGStopsTheCountAndResumesWithTheSameSpeed) {
    SceneHarness h;
    h.updates(30);
    const float stoppedAt = h.renderer.sectorsPerTurn;
    const float speed = h.scene.sectorEasingSpeed;
    h.scene.handleKey(VK_G);
    EXPECT_FALSE(h.scene.sectorEasing);
    h.updates(10);
    EXPECT_EQ(h.renderer.sectorsPerTurn, stoppedAt);
    EXPECT_EQ(h.scene.sectorEasingSpeed, speed);
    h.scene.handleKey(VK_G);
    EXPECT_TRUE(h.scene.sectorEasing);
    h.scene.update();
    EXPECT_FLOAT_EQ(h.renderer.sectorsPerTurn, stoppedAt + speed - 0.001f);
}

TEST(Motion, LoneButtonFallsAndSpinsByItsTravel) {
    SceneHarness h;
    Button& b = h.button(20);
    const float x = b.position.x;
    const float spin = b.spinAngle;
    h.scene.update();
    EXPECT_EQ(b.velocity.x, 0.0f);
    EXPECT_FLOAT_EQ(b.velocity.y, -0.00246f);
    EXPECT_EQ(b.velocity.z, 0.0f);
    EXPECT_NEAR(b.position.x, x, 1e-6f) << "a spin rate of 0 turns nothing";
    EXPECT_NEAR(b.spinAngle - spin, 0.246f, 1e-6f);
}

// Two buttons side by side at the bottom, away from the grid, overlapping by half.
void placePair(SceneHarness& h, int32_t left, int32_t right) {
    h.button(left).position.set(-0.1f, -3.1f, 0.0f);
    h.button(right).position.set(0.1f, -3.1f, 0.0f);
}

TEST(Motion, OnlyPairsWhoseIndicesAddUpToAtMost58PushEachOther) {
    struct Case {
        int32_t left;
        int32_t right;
        bool pushes;
    };
    for (const Case& c : {Case{0, 58, true}, Case{58, 0, true}, Case{29, 30, false},
                          Case{30, 29, false}, Case{0, 59, false}, Case{59, 0, false},
                          Case{28, 30, true}, Case{1, 57, true}, Case{1, 58, false}}) {
        SceneHarness h;
        placePair(h, c.left, c.right);
        h.scene.update();
        // Half the summed size overlaps: a push of 0.3 * 0.5^2 along the line of centres.
        const float expected = c.pushes ? 0.075f : 0.0f;
        EXPECT_NEAR(h.button(c.left).force.x, -expected, 1e-6f) << c.left << "," << c.right;
        EXPECT_NEAR(h.button(c.right).force.x, expected, 1e-6f) << c.left << "," << c.right;
        EXPECT_NEAR(h.button(c.left).force.y, -0.003f, 1e-6f);
        if (!c.pushes) {
            EXPECT_EQ(h.button(c.left).force.x, 0.0f);
            EXPECT_EQ(h.button(c.right).force.x, 0.0f);
        }
    }
}

TEST(Motion, CoincidentButtonsDoNotPush) {
    SceneHarness h;
    h.button(0).position.set(0.0f, -3.1f, 0.0f);
    h.button(1).position.set(0.0f, -3.1f, 0.0f);
    h.scene.update();
    for (int32_t i : {0, 1}) {
        EXPECT_EQ(h.button(i).force.x, 0.0f);
        EXPECT_EQ(h.button(i).force.y, -0.003f);
        EXPECT_TRUE(std::isfinite(h.button(i).position.x));
    }
}

TEST(Motion, WallPullsBackFromWhereTheButtonIsHeaded) {
    // Size 0.2: the wall starts at 4 - 0.4 = 3.6; 0.1 beyond gives 0.3 * (0.1 / 0.4)^2.
    {
        SceneHarness h;
        h.button(7).position.set(3.7f, 0.0f, 0.0f);
        h.scene.update();
        EXPECT_NEAR(h.button(7).force.x, -0.01875f, 1e-6f);
        EXPECT_EQ(h.button(7).force.y, -0.003f);
    }
    {
        SceneHarness h;
        h.button(7).position.set(3.5f, 0.0f, 0.0f);
        h.button(7).velocity.set(0.2f, 0.0f, 0.0f);
        h.scene.update();
        EXPECT_NEAR(h.button(7).force.x, -0.01875f, 1e-6f);
    }
    {
        SceneHarness h;
        h.button(7).position.set(3.5f, 0.0f, 0.0f);
        h.scene.update();
        EXPECT_EQ(h.button(7).force.x, 0.0f) << "inside the wall";
    }
}

TEST(Turning, SpinRateRelaxesTowardItsRestingValue) {
    SceneHarness h;
    h.scene.update();
    EXPECT_EQ(h.scene.spinRate, 0.00045000002f);
    h.updates(300);
    EXPECT_NEAR(h.scene.spinRate, 0.0045f, 1e-6f);
}

TEST(Turning, UpArrowKickTurnsTheNextUpdateAndDecays) {
    SceneHarness h;
    h.scene.spinRate = 0.0045f;
    h.scene.handleKey(VK_UP);
    EXPECT_FLOAT_EQ(h.scene.spinRate, 0.00886332f);
    Button& b = h.button(5);
    b.position.set(3.2f, 0.0f, 0.0f);
    h.scene.update();
    // Turned by the kicked rate about the origin, then moved by one update's fall.
    EXPECT_NEAR(b.position.x, 3.2f * std::cos(0.00886332f), 1e-6f);
    EXPECT_NEAR(b.position.y, 3.2f * std::sin(0.00886332f) - 0.00246f, 1e-6f);
    EXPECT_NEAR(h.scene.spinRate - 0.0045f, 0.00392699f, 1e-7f);
}

TEST(Motion, LongRunStaysFiniteAndInsideTheDrum) {
    ResetFakes();
    Renderer renderer;
    SeedRandom(42);
    Scene scene(&renderer);
    scene.setup();
    for (int32_t frame = 1; frame <= 3000; ++frame) {
        renderer.elapsedSeconds = static_cast<float>(frame) / 24.0f;
        scene.update();
        if (frame % 12 == 0) scene.handleKey(VK_UP);
    }
    for (int32_t i = 0; i < kButtonCount; ++i) {
        const Button& b = scene.buttons[i];
        ASSERT_TRUE(std::isfinite(b.position.x) && std::isfinite(b.position.y)) << i;
        EXPECT_LT(std::hypot(b.position.x, b.position.y), 4.5f) << i;
        EXPECT_TRUE(std::isfinite(b.spinAngle)) << i;
        EXPECT_GE(b.phase, 0.0f);
        EXPECT_LE(b.phase, 1.0f);
        EXPECT_GE(b.face, 0);
        EXPECT_LT(b.face, 128);
    }
    EXPECT_EQ(renderer.sectorsPerTurn, 8.0f);
}

}  // namespace
