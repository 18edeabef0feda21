#pragma once
#include <cstdint>

enum class PowerAction { None, StopPlayback, ResumePlayback, Close };

// What the full-screen window does with a WM_POWERBROADCAST event (wParam):
// a suspend, or the question whether one may happen, stops playback; a
// refused suspend resumes it; a resume ends the saver through the password
// step. Standby events and unknown values change nothing.
PowerAction PlanPowerEvent(uint32_t event);
