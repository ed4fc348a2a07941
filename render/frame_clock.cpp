#include "render/frame_clock.h"

#include <limits>

#include "platform/counter.h"  // a window-free seam of the platform layer
#include "render/renderer.h"

bool clockStarted = false;
int64_t clockFrequency = 0;
int64_t clockStartCount = 0;

namespace {

constexpr int64_t kInt64Max = std::numeric_limits<int64_t>::max();
constexpr int64_t kInt64Min = std::numeric_limits<int64_t>::min();

}  // namespace

int64_t ElapsedMilliseconds(int64_t ticks, int64_t frequency) {
    if (frequency <= 0) {
        return 0;
    }
    // Whole seconds and the rest apart: ticks * 1000 would overflow after 35 days of a
    // 3 GHz counter. Both parts truncate toward zero, so the sum is the plain quotient.
    const int64_t seconds = ticks / frequency;
    const int64_t rest = ticks % frequency;
    if (seconds > kInt64Max / 1000 - 1) {
        return kInt64Max;
    }
    if (seconds < kInt64Min / 1000 + 1) {
        return kInt64Min;
    }
    int64_t restMs = 0;
    if (rest <= kInt64Max / 1000 && rest >= kInt64Min / 1000) {
        restMs = rest * 1000 / frequency;
    } else {
        // Only for counters faster than 9.2e15 Hz; under 1000 either way.
        restMs = static_cast<int64_t>(static_cast<double>(rest) / static_cast<double>(frequency) * 1000.0);
    }
    return seconds * 1000 + restMs;
}

void Renderer::startClock() {
    if (clockStarted) {
        return;
    }
    clockStarted = true;
    clockFrequency = PlatformCounterFrequency();
    clockStartCount = PlatformCounterNow();
    fpsFrameCount = 0;
    measuredFps = 50.0f;
    elapsedSeconds = 0.0f;
    fpsWindowStart = 0.0f;
}

void Renderer::tickClock() {
    // Wrapping subtraction: a counter that wraps still yields the span since the start.
    const int64_t ticks = static_cast<int64_t>(static_cast<uint64_t>(PlatformCounterNow()) -
                                               static_cast<uint64_t>(clockStartCount));
    const int64_t ms = ElapsedMilliseconds(ticks, clockFrequency);
    const float t = static_cast<float>(ms) * 0.001f;
    elapsedSeconds = t;

    if (t - fpsWindowStart < 1.0f) {
        // A stopped counter never closes a window; the count then stops at its maximum.
        if (fpsFrameCount < std::numeric_limits<int32_t>::max()) {
            fpsFrameCount = fpsFrameCount + 1;
        }
        return;
    }

    // The pause follows the rate of the window before this one: a lag of one second.
    // Every rate above 1000 adds the same 20 ms, so capping it only keeps the
    // conversion in range.
    const int32_t previous = measuredFps < 2000.0f ? static_cast<int32_t>(measuredFps) : 2000;
    measuredFps = static_cast<float>(fpsFrameCount) / (t - fpsWindowStart);
    fpsFrameCount = 0;
    fpsWindowStart = elapsedSeconds;
    if (previous > 0) {
        sleepMs = sleepMs + (1000 / targetFps - 1000 / previous) / 2;
    }
    if (sleepMs < 1) {
        sleepMs = 1;
    } else if (sleepMs > 1000) {
        sleepMs = 1000;
    }
}
