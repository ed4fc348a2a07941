#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "render/frame_clock.h"
#include "render/renderer.h"
#include "tests/scene/fakes.h"

namespace {

class FrameClock : public ::testing::Test {
protected:
    void SetUp() override {
        clockStarted = false;
        clockFrequency = 0;
        clockStartCount = 0;
        fakeCounterFrequency = 1000;
        fakeCounterNow = 5000;
        clock.startClock();
    }
    // Ticks with the counter the given number of milliseconds after the start.
    void tickAt(int64_t ms) {
        fakeCounterNow = 5000 + ms * fakeCounterFrequency / 1000;
        clock.tickClock();
    }
    Renderer clock;
};

TEST_F(FrameClock, StartTakesTheOriginAndResetsTheRun) {
    EXPECT_TRUE(clockStarted);
    EXPECT_EQ(clockFrequency, 1000);
    EXPECT_EQ(clockStartCount, 5000);
    EXPECT_EQ(clock.elapsedSeconds, 0.0f);
    EXPECT_EQ(clock.measuredFps, 50.0f);
    EXPECT_EQ(clock.fpsFrameCount, 0);
    EXPECT_EQ(clock.sleepMs, 74);
}

TEST_F(FrameClock, FirstWindowClosesAtOneSecondAndLengthensThePause) {
    for (int64_t ms = 100; ms <= 900; ms += 100) tickAt(ms);
    EXPECT_EQ(clock.fpsFrameCount, 9);
    EXPECT_FLOAT_EQ(clock.elapsedSeconds, 0.9f);
    EXPECT_EQ(clock.sleepMs, 74);

    tickAt(1000);
    EXPECT_EQ(clock.elapsedSeconds, 1.0f);
    EXPECT_FLOAT_EQ(clock.measuredFps, 9.0f);
    EXPECT_EQ(clock.fpsWindowStart, 1.0f);
    EXPECT_EQ(clock.fpsFrameCount, 0) << "the closing tick counts in neither window";
    EXPECT_EQ(clock.sleepMs, 84) << "(41 - 1000 / 50) / 2 added";

    tickAt(1100);
    EXPECT_EQ(clock.fpsFrameCount, 1);
    // The second window uses the 9 measured in the first: (41 - 111) / 2 = -35.
    tickAt(2000);
    EXPECT_EQ(clock.sleepMs, 84 - 35);
    EXPECT_FLOAT_EQ(clock.measuredFps, 1.0f);
}

TEST_F(FrameClock, AdjustsByThePreviousRateWithinOneToAThousand) {
    struct Case {
        float previousFps;
        int32_t sleepBefore;
        int32_t sleepAfter;
    };
    for (const Case& c : {Case{11.9f, 100, 76}, Case{24.0f, 74, 74}, Case{50.0f, 74, 84},
                          Case{0.9f, 74, 74}, Case{0.9f, 0, 1}, Case{0.9f, 1500, 1000},
                          Case{1500.0f, 74, 94}, Case{1500.0f, 990, 1000},
                          Case{1.0e9f, 74, 94}, Case{2.0f, 5, 1}, Case{1.5f, 600, 121}}) {
        SetUp();
        clock.measuredFps = c.previousFps;
        clock.sleepMs = c.sleepBefore;
        tickAt(1000);
        EXPECT_EQ(clock.sleepMs, c.sleepAfter) << c.previousFps << " " << c.sleepBefore;
    }
}

TEST_F(FrameClock, PauseStaysInRangeWhateverTheRates) {
    int64_t now = 0;
    for (int64_t window = 0; window < 200; ++window) {
        // From no frame at all to 3000 a second, in a rough cycle.
        const int64_t frames = (window * 7919) % 3001;
        const int64_t start = now;
        for (int64_t f = 1; f <= frames; ++f) tickAt(start + f * 999 / (frames + 1));
        // Seconds as floats: the window may close a millisecond or so after 1000.
        const float windowStart = clock.fpsWindowStart;
        now = start + 1000;
        for (int32_t late = 0; late < 100 && clock.fpsWindowStart == windowStart; ++late) {
            tickAt(now++);
        }
        ASSERT_NE(clock.fpsWindowStart, windowStart) << window;
        ASSERT_NEAR(clock.measuredFps, static_cast<float>(frames), frames * 0.01f) << window;
        ASSERT_GE(clock.sleepMs, 1);
        ASSERT_LE(clock.sleepMs, 1000);
    }
}

TEST_F(FrameClock, SecondStartChangesNothing) {
    tickAt(500);
    fakeCounterFrequency = 7;
    fakeCounterNow = 999999;
    clock.startClock();
    EXPECT_EQ(clockFrequency, 1000);
    EXPECT_EQ(clockStartCount, 5000);
    EXPECT_EQ(clock.elapsedSeconds, 0.5f);
    EXPECT_EQ(clock.fpsFrameCount, 1);

    // A later Renderer shares the origin and keeps its own fields.
    Renderer later;
    later.elapsedSeconds = 3.0f;
    later.startClock();
    EXPECT_EQ(later.elapsedSeconds, 3.0f);
    later.tickClock();
    EXPECT_FLOAT_EQ(later.elapsedSeconds, (999999.0f - 5000.0f) / 1000.0f);
}

TEST_F(FrameClock, CountsWholeMilliseconds) {
    SetUp();
    fakeCounterFrequency = 3000000000;
    clockFrequency = 3000000000;
    fakeCounterNow = 5000 + 2999999;  // 0.9999997 ms
    clock.tickClock();
    EXPECT_EQ(clock.elapsedSeconds, 0.0f);
    fakeCounterNow = 5000 + 3000000 * 7 + 2999999;
    clock.tickClock();
    EXPECT_EQ(clock.elapsedSeconds, 7 * 0.001f);
}

TEST_F(FrameClock, ZeroFrequencyStandsStillInsteadOfDividing) {
    clockStarted = false;
    fakeCounterFrequency = 0;
    clock.startClock();
    for (int32_t i = 1; i <= 5; ++i) {
        fakeCounterNow += 123456;
        clock.tickClock();
    }
    EXPECT_EQ(clock.elapsedSeconds, 0.0f);
    EXPECT_EQ(clock.fpsFrameCount, 5);
    EXPECT_EQ(clock.sleepMs, 74);
}

#ifdef __SIZEOF_INT128__
// The quotient in 128 bits; results beyond 64 bits saturate.
int64_t exactMilliseconds(int64_t ticks, int64_t frequency) {
    const __int128 exact = static_cast<__int128>(ticks) * 1000 / frequency;
    if (exact > std::numeric_limits<int64_t>::max()) return std::numeric_limits<int64_t>::max();
    if (exact < std::numeric_limits<int64_t>::min()) return std::numeric_limits<int64_t>::min();
    return static_cast<int64_t>(exact);
}

TEST(ElapsedMilliseconds, MatchesTheExactQuotientOnRunsOfYears) {
    constexpr int64_t kThreeGHz = 3000000000;
    constexpr int64_t kYear = 365LL * 24 * 3600;
    const int64_t frequencies[] = {1, 3, 1000, 1000000000, 10000000, kThreeGHz, 2999999999};
    const int64_t spans[] = {0, 1, 2999, kThreeGHz - 1, kThreeGHz * 35 * 86400,
                             kThreeGHz * 40 * 86400 + 12345, kThreeGHz * 10 * kYear + 2999999999,
                             kThreeGHz * 97 * kYear, -1, -kThreeGHz * 3 - 5};
    for (int64_t f : frequencies) {
        for (int64_t ticks : spans) {
            EXPECT_EQ(ElapsedMilliseconds(ticks, f), exactMilliseconds(ticks, f)) << ticks << " / " << f;
        }
    }
}
#endif

TEST(ElapsedMilliseconds, SameAsThePlainFormulaWhereThatDoesNotOverflow) {
    for (int64_t f : {1LL, 7LL, 1000LL, 3579545LL, 1000000000LL}) {
        for (int64_t ticks : {0LL, 1LL, 999LL, 1000LL, 123456789LL, -5LL, -1500LL, 9000000000000000LL}) {
            EXPECT_EQ(ElapsedMilliseconds(ticks, f), ticks * 1000 / f) << ticks << " / " << f;
        }
    }
    EXPECT_EQ(ElapsedMilliseconds(12345, 0), 0);
    EXPECT_EQ(ElapsedMilliseconds(12345, -3), 0);
    EXPECT_EQ(ElapsedMilliseconds(std::numeric_limits<int64_t>::max(), 1),
              std::numeric_limits<int64_t>::max());
}

TEST_F(FrameClock, TenYearsAtThreeGigahertz) {
    SetUp();
    fakeCounterFrequency = 3000000000;
    clockFrequency = 3000000000;
    fakeCounterNow = 5000 + 3000000000LL * 10 * 365 * 24 * 3600;
    clock.tickClock();
    EXPECT_FLOAT_EQ(clock.elapsedSeconds, 10.0f * 365 * 24 * 3600);
}

}  // namespace
