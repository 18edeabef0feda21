#pragma once
#include <cstdint>

// What SetTimer accepts (USER_TIMER_MINIMUM, USER_TIMER_MAXIMUM); it raises a
// shorter period to the minimum and fails outright above the maximum.
constexpr uint32_t kTimerMinimumMs = 0x0000000Au;
constexpr uint32_t kTimerMaximumMs = 0x7FFFFFFFu;

// The period of a minutes option in milliseconds, computed without overflow
// and kept within what SetTimer accepts, whatever number the registry held;
// below one minute it is one minute.
uint32_t MinutesToTimerPeriod(uint32_t minutes);
