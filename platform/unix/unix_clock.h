#pragma once

#include <csignal>
#include <cstdint>

// GetTickCount's milliseconds from CLOCK_MONOTONIC, wrapping as it does.
uint32_t MonotonicMilliseconds();

// Sleep, cut short by a stop signal (which sets `stop`), so a run ends without waiting.
void SleepUnlessStopped(uint32_t milliseconds, const volatile sig_atomic_t& stop);
