// The frame clock of a saver that pauses as long as the clock ever lets it (1000 ms) after
// every frame, put in at link time in place of render/frame_clock.cpp: input must then be
// answered within the pause, not after it.
#include "platform/counter.h"
#include "render/renderer.h"

namespace {

constexpr int32_t kLongestPauseMs = 1000;
int64_t startCount = 0;

}  // namespace

void Renderer::startClock() {
    startCount = PlatformCounterNow();
    sleepMs = kLongestPauseMs;
}

void Renderer::tickClock() {
    const int64_t ticks = PlatformCounterNow() - startCount;
    elapsedSeconds = static_cast<float>(static_cast<double>(ticks) / static_cast<double>(PlatformCounterFrequency()));
    ++fpsFrameCount;
    sleepMs = kLongestPauseMs;
}
