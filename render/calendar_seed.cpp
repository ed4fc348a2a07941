#include "render/calendar_seed.h"

#include <ctime>

uint32_t CalendarSeed() {
    return static_cast<uint32_t>(static_cast<unsigned long long>(std::time(nullptr)) % 256u);
}
