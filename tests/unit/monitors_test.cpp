#include "base/monitors.h"

#include <gtest/gtest.h>

#include <vector>

namespace kivolt {
namespace {

// The primary monitor with a taskbar, a smaller one to its right standing 200 pixels higher,
// and one left of the primary.
const std::vector<Monitor> kThree = {
    {{0, 0, 1920, 1080}, {0, 0, 1920, 1040}},
    {{1920, -200, 1280, 1024}, {1920, -200, 1280, 984}},
    {{-1600, 0, 1600, 900}, {-1600, 0, 1600, 900}},
};

TEST(Monitors, TheBoxBelongsToTheMonitorItOverlapsMost) {
    const struct {
        const char* what;
        Rect box;
        int expected;
    } cases[] = {
        {"inside the primary", {100, 100, 225, 42}, 0},
        {"inside the right one", {2400, 500, 225, 42}, 1},
        {"across the seam, mostly right", {1850, 500, 225, 42}, 1},
        {"across the seam, mostly left", {1800, 500, 200, 42}, 0},
        {"across the seam, half and half: the earlier", {1820, 500, 200, 42}, 0},
        {"left of the primary", {-300, 100, 225, 42}, 2},
        {"on no monitor, below the right one", {2500, 1200, 225, 42}, 1},
        {"on no monitor, far right and level with the primary", {5000, 500, 225, 42}, 1},
        {"on no monitor, below the primary", {500, 3000, 225, 42}, 0},
        {"on no monitor, far left", {-5000, 100, 225, 42}, 2},
    };
    for (const auto& c : cases) EXPECT_EQ(monitorFor(kThree, c.box), kThree[c.expected]) << c.what;
}

TEST(Monitors, ABoxOnNoMonitorStartsFullyInsideTheNearestWorkArea) {
    const std::vector<Monitor> one = {{{0, 0, 1920, 1080}, {0, 0, 1920, 1080}}};
    const struct {
        const char* what;
        const std::vector<Monitor>& monitors;
        Rect box;
        Point expected;
    } cases[] = {
        {"on a monitor: where it was", one, {300, 200, 225, 42}, {300, 200}},
        {"partly on a monitor: where it was", one, {-100, 1060, 225, 42}, {-100, 1060}},
        {"an unplugged monitor far right and below", one, {5000, 3000, 225, 42}, {1695, 1038}},
        {"far left and above", one, {-5000, -3000, 42, 225}, {0, 0}},
        {"below the right monitor, into its work area", kThree, {2500, 1200, 225, 42}, {2500, 742}},
        {"higher than the work area is tall: its top edge", one, {5000, 100, 42, 1200}, {1878, 0}},
    };
    for (const auto& c : cases) EXPECT_EQ(startPosition(c.monitors, c.box), c.expected) << c.what;
}

}  // namespace
}  // namespace kivolt
