// The Wayland saver's clock and seed for the picture test, put in at link time: a seed of
// 5 and, after the start, one twenty-fourth of a second per frame, which is what the frame
// renderer's defaults give. Its frames are then brisalo-frames --seed 5 frames.
#include <cmath>

#include "platform/counter.h"
#include "render/calendar_seed.h"

namespace {

int64_t reads = 0;

}  // namespace

int64_t PlatformCounterFrequency() { return 1000000; }

// The clock reads the counter once at its start and once a frame.
int64_t PlatformCounterNow() { return std::llround(static_cast<double>(reads++) / 24.0 * 1e6); }

uint32_t CalendarSeed() { return 5; }
