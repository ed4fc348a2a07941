#pragma once

#include <cstdint>

// Link-time stand-ins for the monotonic counter (in milliseconds) and the calendar
// seed, so that rendered frames depend only on what a test sets here.
extern int64_t fakeCounterMs;
extern uint32_t fakeSeed;
