#pragma once

#include <cstdint>

// The frame renderer's stand-ins for the monotonic counter and the calendar seed, so
// that a run depends only on its arguments.
extern int64_t simulatedCount;  // microseconds since the start
extern uint32_t simulatedSeed;
