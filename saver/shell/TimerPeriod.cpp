#include "saver/shell/TimerPeriod.h"

uint32_t MinutesToTimerPeriod(uint32_t minutes) {
    // A period of no minutes (a damaged value; the dialog offers 1 to 60)
    // would black the screen at once: it counts as one minute.
    if (minutes < 1) minutes = 1;
    const uint64_t ms = static_cast<uint64_t>(minutes) * 60000u;
    if (ms > kTimerMaximumMs) return kTimerMaximumMs;
    return static_cast<uint32_t>(ms);
}
