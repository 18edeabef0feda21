#pragma once
#include <algorithm>
#include <vector>

// The middle and the spread of a benchmark's rounds: the median, the
// quartiles (linear between the two nearest rounds) and the range. All -1
// when there are no rounds.
struct Spread {
    double median = -1, lowQuartile = -1, highQuartile = -1, least = -1, most = -1;

    explicit Spread(std::vector<double> values) {
        if (values.empty()) return;
        std::sort(values.begin(), values.end());
        const auto at = [&values](double fraction) {
            const double place = fraction * static_cast<double>(values.size() - 1);
            const size_t below = static_cast<size_t>(place);
            const size_t above = std::min(below + 1, values.size() - 1);
            return values[below] + (values[above] - values[below]) * (place - static_cast<double>(below));
        };
        median = at(0.5);
        lowQuartile = at(0.25);
        highQuartile = at(0.75);
        least = values.front();
        most = values.back();
    }
};
