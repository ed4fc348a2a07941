#pragma once

#include <cstdint>

// Monotonic high-resolution counter for the frame clock; chosen at link time
// (clock_gettime on Linux, QueryPerformanceCounter on Windows, fakes in tests).
// A window-free seam: it names no window system, so render/ may include it.
int64_t PlatformCounterFrequency();
int64_t PlatformCounterNow();
