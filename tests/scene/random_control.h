#pragma once

#include <cstdint>

// Seeds the generator so that its next draw returns value (0..32767): lets a test put
// any draw, the extremes included, exactly where the code under test makes it.
void SeedForNextDraw(int32_t value);
