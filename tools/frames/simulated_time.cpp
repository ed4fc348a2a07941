#include "tools/frames/simulated_time.h"

#include "platform/counter.h"
#include "render/calendar_seed.h"

int64_t simulatedCount = 0;
uint32_t simulatedSeed = 1;

int64_t PlatformCounterFrequency() { return 1000000; }
int64_t PlatformCounterNow() { return simulatedCount; }
uint32_t CalendarSeed() { return simulatedSeed; }
