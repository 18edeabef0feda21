#include "saver/shell/MonitorLayout.h"

#include <gtest/gtest.h>

namespace {
const IntRect kPrimary{0, 0, 800, 600};

struct LayoutCase {
    const char* name;
    std::vector<IntRect> monitors;
    std::vector<IntRect> covered;
};

TEST(MonitorLayout, CoversEveryMonitorBesideThePrimaryScreen) {
    const LayoutCase cases[] = {
        {"one monitor", {kPrimary}, {}},
        {"none reported", {}, {}},
        {"right of it", {kPrimary, {800, 0, 1600, 600}}, {{800, 0, 1600, 600}}},
        {"left of it, negative", {{-1024, -168, 0, 600}, kPrimary}, {{-1024, -168, 0, 600}}},
        {"above it", {kPrimary, {0, -600, 800, 0}}, {{0, -600, 800, 0}}},
        {"diagonal, touching a corner", {kPrimary, {800, 600, 1600, 1200}}, {{800, 600, 1600, 1200}}},
        {"three", {{-800, 0, 0, 600}, kPrimary, {800, 0, 1600, 600}}, {{-800, 0, 0, 600}, {800, 0, 1600, 600}}},
        {"mirrored", {kPrimary, kPrimary}, {}},
        {"overlapping by one pixel", {kPrimary, {799, 0, 1599, 600}}, {}},
        {"empty rectangle", {kPrimary, {900, 0, 900, 600}, {1000, 50, 1200, 50}}, {}},
        {"inverted rectangle", {kPrimary, {1600, 0, 800, 600}}, {}},
    };
    for (const LayoutCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(MonitorsToCover(c.monitors, kPrimary), c.covered);
    }
}

TEST(MonitorLayout, PrimaryAwayFromTheOrigin) {
    // Whatever the primary screen's place, only what overlaps it is left out.
    const IntRect primary{800, 0, 1600, 600};
    EXPECT_EQ(MonitorsToCover({{0, 0, 800, 600}, primary}, primary), (std::vector<IntRect>{{0, 0, 800, 600}}));
}
}  // namespace
