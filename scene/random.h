#pragma once

#include <cstdint>

// The saver's own generator in the roles of srand/rand: values 0..32767, the same
// sequence from the same seed on every platform.
void SeedRandom(uint32_t seed);
int32_t DrawRandom();

// One draw scaled into [0, 1): never 1.
float randomUnit();
