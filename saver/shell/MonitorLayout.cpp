#include "saver/shell/MonitorLayout.h"

namespace {
bool Overlap(const IntRect& a, const IntRect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}
}  // namespace

std::vector<IntRect> MonitorsToCover(const std::vector<IntRect>& monitors, const IntRect& primary) {
    std::vector<IntRect> covers;
    for (const IntRect& monitor : monitors) {
        if (monitor.Width() <= 0 || monitor.Height() <= 0 || Overlap(monitor, primary)) continue;
        covers.push_back(monitor);
    }
    return covers;
}
