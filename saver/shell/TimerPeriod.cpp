#include "TimerPeriod.h"

uint32_t MinutesToTimerPeriod(uint32_t minutes) {
    const uint64_t ms = static_cast<uint64_t>(minutes) * 60000u;
    if (ms < kTimerMinimumMs) return kTimerMinimumMs;
    if (ms > kTimerMaximumMs) return kTimerMaximumMs;
    return static_cast<uint32_t>(ms);
}
