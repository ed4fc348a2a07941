#include "tests/scene/random_control.h"

#include "scene/random.h"

namespace {

constexpr uint32_t kMultiplier = 214013u;
constexpr uint32_t kIncrement = 2531011u;

// The multiplier is odd, so it has an inverse modulo 2^32; Newton's iteration doubles
// the number of correct low bits each step (3 -> 6 -> 12 -> 24 -> 48).
uint32_t inverseOfMultiplier() {
    uint32_t inverse = kMultiplier;
    for (int i = 0; i < 4; ++i) {
        inverse *= 2u - kMultiplier * inverse;
    }
    return inverse;
}

}  // namespace

void SeedForNextDraw(int32_t value) {
    const uint32_t next = static_cast<uint32_t>(value) << 16;
    SeedRandom((next - kIncrement) * inverseOfMultiplier());
}
