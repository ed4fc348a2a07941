#include <gtest/gtest.h>

#include "scene/random.h"
#include "scene/random_draws.h"
#include "tests/scene/random_control.h"

namespace {

TEST(Random, FixedSeedGivesTheClassicSequence) {
    SeedRandom(1);
    const int32_t expected[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464};
    for (int32_t value : expected) {
        EXPECT_EQ(DrawRandom(), value);
    }
    SeedRandom(0);
    const int32_t fromZero[] = {38, 7719, 21238, 2437, 8855};
    for (int32_t value : fromZero) {
        EXPECT_EQ(DrawRandom(), value);
    }
}

TEST(Random, DrawsCoverExactlyZeroTo32767) {
    SeedRandom(12345);
    int32_t lowest = 32767;
    int32_t highest = 0;
    for (int32_t i = 0; i < 1 << 20; ++i) {
        const int32_t value = DrawRandom();
        ASSERT_GE(value, 0);
        ASSERT_LE(value, 32767);
        lowest = value < lowest ? value : lowest;
        highest = value > highest ? value : highest;
    }
    EXPECT_EQ(lowest, 0);
    EXPECT_EQ(highest, 32767);
}

TEST(Random, SeedForNextDrawPlacesAnyValue) {
    for (int32_t value : {0, 1, 16383, 16384, 32766, 32767}) {
        SeedForNextDraw(value);
        EXPECT_EQ(DrawRandom(), value);
    }
}

TEST(Random, UnitStaysBelowOneAtTheTopDraw) {
    SeedForNextDraw(0);
    EXPECT_EQ(randomUnit(), 0.0f);
    SeedForNextDraw(32767);
    const float top = randomUnit();
    EXPECT_LT(top, 1.0f);
    EXPECT_GT(top, 0.9999999f);
    SeedForNextDraw(16384);
    EXPECT_EQ(randomUnit(), 16384.0f * 3.0518509e-05f);
}

TEST(Random, IndexTruncatesAndNeverReachesTheBound) {
    SeedForNextDraw(32767);
    EXPECT_EQ(randomIndex(128), 127);
    SeedForNextDraw(0);
    EXPECT_EQ(randomIndex(128), 0);
    // 256 * 128 / 32767 = 1.0000305: the first value of index 1.
    SeedForNextDraw(255);
    EXPECT_EQ(randomIndex(128), 0);
    SeedForNextDraw(256);
    EXPECT_EQ(randomIndex(128), 1);
    for (int32_t count : {1, 2, 3, 7, 60, 100, 1000, 12345}) {
        SeedForNextDraw(32767);
        EXPECT_EQ(randomIndex(count), count - 1) << count;
    }
}

TEST(Random, CoinIsTrueForExactlyTheLowerHalf) {
    int32_t heads = 0;
    for (int32_t value = 0; value <= 32767; ++value) {
        SeedForNextDraw(value);
        const bool coin = randomCoin();
        EXPECT_EQ(coin, value <= 16383) << value;
        heads += coin ? 1 : 0;
    }
    EXPECT_EQ(heads, 16384);
}

}  // namespace
