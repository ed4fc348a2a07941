#include "scene/random.h"

namespace {

// Before any seeding the generator behaves as if seeded with 1, as rand does.
uint32_t randomState = 1;

// 0x1.fffffep-1: the largest float below 1.
constexpr float kLargestBelowOne = 0.99999994f;

}  // namespace

void SeedRandom(uint32_t seed) { randomState = seed; }

int32_t DrawRandom() {
    // Arithmetic modulo 2^32 comes from the unsigned type.
    randomState = randomState * 214013u + 2531011u;
    return static_cast<int32_t>((randomState >> 16) & 0x7FFFu);
}

float randomUnit() {
    // 32767 times the scale is 0.99999999907, which a float rounds up to exactly 1;
    // keep that one value below 1 so that an index below N never reaches N.
    const float unit = static_cast<float>(DrawRandom()) * 3.0518509e-05f;
    return unit < 1.0f ? unit : kLargestBelowOne;
}
