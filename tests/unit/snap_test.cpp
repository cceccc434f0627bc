#include "ui/snap.h"

#include <gtest/gtest.h>

namespace kivolt {
namespace {

struct SnapCase {
    const char* what;
    Rect proposed;
    WorkArea area;
    int x, y;
};

constexpr WorkArea kScreen{0, 0, 1920, 1040};
constexpr WorkArea kLeftTaskbar{40, 0, 1920, 1080};

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
    };
    for (const auto& c : cases) {
        const Rect r = snapToWorkArea(c.proposed, c.area);
        EXPECT_EQ(r.x, c.x) << c.what;
        EXPECT_EQ(r.y, c.y) << c.what;
        EXPECT_EQ(r.w, c.proposed.w) << c.what;
        EXPECT_EQ(r.h, c.proposed.h) << c.what;
    }
}

TEST(Snap, BoxFlushRightThatGrowsByOneCellEndsCellPlus30Outside) {
    // 225 wide flush right, then grows by 42 at the same x.
    const Rect r = snapToWorkArea({1695, 400, 267, 42}, kScreen);
    EXPECT_EQ(r.x + r.w - kScreen.right, 42 + 30);
}

}  // namespace
}  // namespace kivolt
