#pragma once
#include <cstdint>

// The bounce speed slider's logarithmic scale between a slider position p
// (1 at the "Faster" end to 1000 at "Slower") and BounceSpeed S, the bounce
// timer's period in milliseconds (1 to 1000): the fast end gets most of the
// travel. Both truncate, so a value taken to a position and back can come
// back one less.
namespace slider {
constexpr int kMinPosition = 1;
constexpr int kMaxPosition = 1000;
}  // namespace slider

int SpeedToSlider(uint32_t speed);
uint32_t SliderToSpeed(int position);
