#pragma once

#include <cstdint>

// GetTickCount's milliseconds from CLOCK_MONOTONIC, wrapping as it does.
uint32_t MonotonicMilliseconds();
