#pragma once

#include <cstdint>

// The clock's origin, one per process: the first Renderer starts it, later ones keep it.
extern bool clockStarted;
extern int64_t clockFrequency;   // counter ticks per second
extern int64_t clockStartCount;  // counter value at the start

// Whole milliseconds in a span of counter ticks, truncated toward zero: the value of
// ticks * 1000 / frequency, without that product overflowing on long runs. A frequency
// of 0 or less (no usable counter) gives 0, so time stands still instead of trapping.
int64_t ElapsedMilliseconds(int64_t ticks, int64_t frequency);
