#include "platform/counter.h"
#include "tests/scene/fakes.h"

int64_t fakeCounterFrequency = 1000;
int64_t fakeCounterNow = 0;

int64_t PlatformCounterFrequency() { return fakeCounterFrequency; }
int64_t PlatformCounterNow() { return fakeCounterNow; }
