#include "ui/snap.h"

#include <gtest/gtest.h>

namespace kivolt {
namespace {

struct SnapCase {
    const char* what;
    Rect proposed;
    Monitor monitor;
    int x, y;
};

constexpr Monitor kScreen{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}};
constexpr Monitor kLeftTaskbar{{0, 0, 1920, 1080}, {40, 0, 1880, 1080}};
constexpr Monitor kRightOfPrimary{{1920, 0, 1920, 1080}, {1920, 0, 1920, 1040}};
constexpr Monitor kLeftOfPrimary{{-1280, 56, 1280, 1024}, {-1280, 56, 1280, 984}};

TEST(Snap, EdgesArePulledFlushOrPushedOut) {
    const SnapCase cases[] = {
        {"free in the middle", {500, 400, 225, 42}, kScreen, 500, 400},
        {"right edge 5 out goes 35 out", {1700, 400, 225, 42}, kScreen, 1730, 400},
        {"right edge 30 inside snaps flush", {1665, 400, 225, 42}, kScreen, 1695, 400},
        {"right edge 31 inside stays", {1664, 400, 225, 42}, kScreen, 1664, 400},
        {"right edge exactly on the edge", {1695, 400, 225, 42}, kScreen, 1695, 400},
        {"left edge at 30 snaps to 0", {30, 400, 225, 42}, kScreen, 0, 400},
        {"left edge at 31 stays", {31, 400, 225, 42}, kScreen, 31, 400},
        {"left edge out goes 30 further out", {-5, 400, 225, 42}, kScreen, -35, 400},
        {"left taskbar: x 0 moves to 40", {0, 400, 225, 42}, kLeftTaskbar, 40, 400},
        {"left taskbar: x 70 moves to 40", {70, 400, 225, 42}, kLeftTaskbar, 40, 400},
        {"top within 30 snaps", {500, 12, 225, 42}, kScreen, 500, 0},
        {"bottom within 30 snaps", {500, 990, 225, 42}, kScreen, 500, 998},
        {"bottom crossing goes out", {500, 1000, 225, 42}, kScreen, 500, 1030},
        {"top out goes further out", {500, -1, 225, 42}, kScreen, 500, -31},
        // A box as wide as the work area satisfies both left and right: the right wins.
        {"full width, left at 0", {0, 400, 1919, 84}, kScreen, 1, 400},
        // Other monitors: their own edges, and no creep where the primary's would push.
        {"free on a monitor right of the primary", {2400, 400, 225, 42}, kRightOfPrimary, 2400, 400},
        {"its left edge within 30 snaps", {1940, 400, 225, 42}, kRightOfPrimary, 1920, 400},
        {"its right edge crossed goes out", {3620, 400, 225, 42}, kRightOfPrimary, 3650, 400},
        {"free on a monitor left of the primary", {-900, 400, 225, 42}, kLeftOfPrimary, -900, 400},
        {"its top within 30 snaps", {-900, 70, 225, 42}, kLeftOfPrimary, -900, 56},
        {"its left edge crossed goes out", {-1290, 400, 225, 42}, kLeftOfPrimary, -1320, 400},
    };
    for (const auto& c : cases) {
        const Rect r = snapToWorkArea(c.proposed, c.monitor);
        EXPECT_EQ(r.x, c.x) << c.what;
        EXPECT_EQ(r.y, c.y) << c.what;
        EXPECT_EQ(r.w, c.proposed.w) << c.what;
        EXPECT_EQ(r.h, c.proposed.h) << c.what;
    }
}

TEST(Snap, ResizesKeepDockedEdgesAndStayInTheWorkArea) {
    const Rect work = kScreen.workArea;
    const Rect right = kRightOfPrimary.workArea;
    const struct {
        const char* what;
        Rect current;
        Size size;
        Rect work;
        Point expected;
    } cases[] = {
        {"free: the corner stays", {500, 400, 225, 42}, {267, 42}, work, {500, 400}},
        {"docked right, grows by a cell", {1695, 400, 225, 42}, {267, 42}, work, {1653, 400}},
        {"docked right, shrinks by a cell", {1695, 400, 225, 42}, {183, 42}, work, {1737, 400}},
        {"pinned row flush right, unpinned", {1878, 400, 42, 42}, {57, 42}, work, {1863, 400}},
        {"docked at the bottom, grows", {500, 998, 42, 42}, {42, 84}, work, {500, 956}},
        {"docked at both, grows on both", {1695, 998, 225, 42}, {267, 84}, work, {1653, 956}},
        {"docked left and top: they stay", {0, 0, 42, 225}, {84, 1040}, work, {0, 0}},
        {"growing past the right edge stops at it", {1800, 400, 100, 42}, {267, 42}, work, {1653, 400}},
        {"already sticking out: no further", {1730, 400, 225, 42}, {267, 42}, work, {1688, 400}},
        {"sticking out and shrinking: stays", {1730, 400, 225, 42}, {183, 42}, work, {1730, 400}},
        {"wider than the work area: the left edge wins", {100, 400, 1800, 84}, {1980, 126}, work, {0, 400}},
        {"docked right on a monitor right of the primary", {3615, 400, 225, 42}, {267, 42}, right, {3573, 400}},
        {"free on that monitor", {2400, 400, 225, 42}, {267, 42}, right, {2400, 400}},
    };
    for (const auto& c : cases) {
        const Rect r = resizedBoxRect(c.current, c.size, c.work);
        EXPECT_EQ((Point{r.x, r.y}), c.expected) << c.what;
        EXPECT_EQ((Size{r.w, r.h}), c.size) << c.what;
    }
}

}  // namespace
}  // namespace kivolt
