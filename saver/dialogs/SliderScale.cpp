#include "saver/dialogs/SliderScale.h"

#include <cmath>

namespace {
// 1/999 and 4/999 as the scale has always computed them.
constexpr double kOneOver999 = 0.001001001001001001;
constexpr double kFourOver999 = 0.004004004004004004;
}  // namespace

int SpeedToSlider(uint32_t speed) {
    const double lo = std::exp(-2.0);
    const double hi = std::exp(2.0);
    const double s = static_cast<double>(speed);
    return static_cast<int>(500.5 + 249.75 * std::log(lo + (hi - lo) * kOneOver999 * (s - 1.0)));
}

uint32_t SliderToSpeed(int position) {
    const double lo = std::exp(-2.0);
    const double hi = std::exp(2.0);
    const double p = static_cast<double>(position);
    const double speed = 1.0 + (std::exp(kFourOver999 * (p - 1.0) - 2.0) - lo) * (999.0 / (hi - lo));
    return static_cast<uint32_t>(speed);
}
