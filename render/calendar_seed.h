#pragma once

#include <cstdint>

// The seed of each run: calendar seconds modulo 256, so one of only 256 sequences.
// Its own library, so that the frame renderer and tests can fix the seed at link time.
uint32_t CalendarSeed();
