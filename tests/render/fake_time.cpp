#include "tests/render/fake_time.h"

#include "platform/counter.h"
#include "render/calendar_seed.h"

int64_t fakeCounterMs = 0;
uint32_t fakeSeed = 7;

int64_t PlatformCounterFrequency() { return 1000; }
int64_t PlatformCounterNow() { return fakeCounterMs; }
uint32_t CalendarSeed() { return fakeSeed; }
