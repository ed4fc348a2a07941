#include "platform/counter.h"

#include <time.h>

// CLOCK_MONOTONIC in nanoseconds: never jumps with the wall clock.
int64_t PlatformCounterFrequency() { return 1000000000; }

int64_t PlatformCounterNow() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}
