#pragma once

#include <cstdint>

#include "scene/random.h"

// The three shapes in which the Scene draws from the generator, one draw each.

// Uniform in [low, high).
inline float randomUniform(float low, float high) { return low + randomUnit() * (high - low); }

// 0..count-1, by truncation; never count.
inline int32_t randomIndex(int32_t count) {
    return static_cast<int32_t>(randomUnit() * static_cast<float>(count));
}

// True for exactly half the generator's values (0..16383).
inline bool randomCoin() { return static_cast<int32_t>(randomUnit() * 2.0f) == 0; }
