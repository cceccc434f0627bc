#include "model/grid.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <string>
#include <vector>

#include "fake_icon_source.h"

namespace kivolt {
namespace {

using testing::namesOf;
using Names = std::vector<std::string>;

constexpr int kVertical = 0;
constexpr int kHorizontal = 1;
const Desktop kDesktop{{1920, 1080}, 40};

GridShape shape(int orientation, bool pinned = false, int itemSize = 32) {
    return {itemSize, orientation, pinned};
}

void fill(ShortcutList& list, int count) {
    list.clearCurrent();
    for (int i = 0; i < count; ++i) list.insertAfterCurrent().name = std::to_string(i);
    list.clearCurrent();
}

TEST(GridTest, RoundNearestHalvesAwayFromZero) {
    const std::pair<double, int> cases[] = {
        {2.5, 3}, {2.49, 2}, {-0.5, -1}, {-0.49, 0}, {0.0, 0}, {0.5, 1},
        {-1.5, -2}, {4.98, 5}, {-0.54, -1}, {1e300, INT_MAX}, {-1e300, INT_MIN},
    };
    for (const auto& [q, expected] : cases) EXPECT_EQ(roundNearest(q), expected) << q;
    EXPECT_EQ(roundNearest(std::nan("")), 0);
}

TEST(GridTest, BoxClientSize) {
    struct Case {
        int orientation;
        bool pinned;
        int count;
        Size expected;
    };
    const Case cases[] = {
        {kHorizontal, false, 5, {225, 42}},
        {kVertical, false, 5, {42, 225}},
        {kHorizontal, false, 50, {1919, 84}},   // wider than the desktop: DW - 1, two rows
        {kHorizontal, false, 91, {1919, 84}},   // rows follow L, not the cells
        {kVertical, false, 30, {84, 1040}},     // taller than the work area
        {kVertical, false, 25, {42, 1040}},     // L = 1065 > DH - taskbar, < DH: one column
        {kVertical, false, 26, {84, 1040}},     // L = 1107 >= DH: two columns
        {kHorizontal, true, 0, {42, 42}},
        {kVertical, true, 0, {42, 42}},
        {kHorizontal, false, 0, {15, 42}},
        {kVertical, false, 0, {42, 15}},
        {kHorizontal, true, 3, {126, 42}},
        {7, false, 5, {42, 225}},  // unknown orientations size as vertical
    };
    for (const Case& c : cases) {
        EXPECT_EQ(boxClientSize(shape(c.orientation, c.pinned), c.count, kDesktop), c.expected)
            << "orientation " << c.orientation << " pinned " << c.pinned << " N " << c.count;
    }
}

TEST(GridTest, BoxClientSizeSurvivesNonsenseInput) {
    const Size tiny = boxClientSize(shape(kHorizontal, false, -50), 3, {{0, 0}, 0});
    EXPECT_GT(tiny.width, 0);
    EXPECT_GT(tiny.height, 0);
    const Size huge = boxClientSize(shape(kVertical, false, 64), INT_MAX, kDesktop);
    EXPECT_GT(huge.width, 0);
    EXPECT_EQ(huge.height, 1040);
}

TEST(GridTest, CellPositions) {
    struct Case {
        GridShape shape;
        int clientWidth;
        int index;
        Point expected;
    };
    const Case cases[] = {
        {shape(kHorizontal), 225, 0, {20, 5}},
        {shape(kHorizontal), 225, 4, {188, 5}},
        {shape(kVertical), 42, 0, {5, 20}},
        {shape(kVertical), 42, 3, {5, 146}},
        {shape(kHorizontal, true), 126, 2, {89, 5}},
        {shape(kVertical, true), 42, 2, {5, 89}},
        {shape(kHorizontal), 1919, 44, {20 + 44 * 42, 5}},  // D = 45
        {shape(kHorizontal), 1919, 45, {20, 47}},
        {shape(kHorizontal), 1919, 90, {20, 89}},  // N = 91: a third row below the window
        {shape(kVertical), 84, 0, {5, 20}},        // N = 30 vertical: D = 2
        {shape(kVertical), 84, 1, {47, 20}},
        {shape(kVertical), 84, 29, {47, 20 + 14 * 42}},
        {shape(kHorizontal), 30, 2, {20, 89}},  // narrower than a cell: one column
        {shape(kHorizontal), 0, 1, {20, 47}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(cellPosition(c.shape, c.clientWidth, c.index), c.expected)
            << "width " << c.clientWidth << " index " << c.index;
    }
}

TEST(GridTest, HitAreaEdgesOfThePlacedGrid) {
    ShortcutList list;
    fill(list, 5);
    placeShortcuts(list, shape(kHorizontal), 225);
    struct Case {
        Point pointer;
        int expected;
    };
    const Case cases[] = {
        {{20, 20}, -1}, {{21, 20}, 0}, {{56, 20}, 0}, {{57, 20}, -1}, {{61, 20}, -1},
        {{62, 20}, -1}, {{63, 20}, 1}, {{21, 5}, -1}, {{21, 6}, 0}, {{21, 41}, 0},
        {{21, 42}, -1}, {{105, 6}, 2}, {{140, 41}, 2}, {{104, 20}, -1}, {{141, 20}, -1},
        {{-1, -1}, -1}, {{200, 20}, 4},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(hitTest(list, 32, c.pointer), c.expected) << c.pointer.x << "," << c.pointer.y;
    }
}

TEST(GridTest, HitTestVerticalAndFirstMatchWins) {
    ShortcutList list;
    fill(list, 5);
    placeShortcuts(list, shape(kVertical), 42);
    EXPECT_EQ(hitTest(list, 32, {6, 105}), 2);
    EXPECT_EQ(hitTest(list, 32, {41, 140}), 2);
    EXPECT_EQ(hitTest(list, 32, {5, 105}), -1);

    list.selectAt(3)->cellY = list.selectAt(1)->cellY;  // overlapping cells before a repaint
    EXPECT_EQ(hitTest(list, 32, {20, 70}), 1);
    EXPECT_EQ(hitTest(ShortcutList{}, 32, {20, 20}), -1);
}

TEST(GridTest, DragSlot) {
    struct Case {
        GridShape shape;
        Point pointer;
        int expected;
    };
    const Case cases[] = {
        {shape(kHorizontal), {119, 0}, 2},
        {shape(kHorizontal), {120, 0}, 3},
        {shape(kHorizontal), {224, 0}, 5},
        {shape(kHorizontal), {120, 500}, 3},  // only x counts
        {shape(kVertical), {500, 120}, 3},    // only y counts
        {shape(kHorizontal), {-1, -1}, 0},    // outside, C >= 33: to the front
        {shape(kHorizontal, false, 22), {-1, -1}, -1},  // outside, C = 32: nothing moves
        {shape(kHorizontal, false, 23), {-1, -1}, 0},
        {shape(kHorizontal, true, 16), {-1, -1}, 0},
        {shape(kHorizontal, false, 16), {1, 0}, -1},     // over the grip
        {shape(kHorizontal, true), {21, 0}, 1},
        {shape(kHorizontal, true), {20, 0}, 0},
        {shape(5), {0, 120}, 3},  // unknown orientations read y
    };
    for (const Case& c : cases) {
        EXPECT_EQ(dragSlot(c.shape, c.pointer), c.expected)
            << "S " << c.shape.itemSize << " at " << c.pointer.x << "," << c.pointer.y;
    }
}

TEST(GridTest, MoveToPointerReordersBySlot) {
    struct Case {
        int source;
        Point pointer;
        Names expected;
    };
    const Case cases[] = {
        {0, {120, 20}, {"1", "2", "0", "3", "4"}},
        {0, {224, 20}, {"1", "2", "3", "4", "0"}},
        {4, {-1, -1}, {"4", "0", "1", "2", "3"}},
        {2, {99, 20}, {"0", "1", "2", "3", "4"}},  // own slot
        {2, {140, 20}, {"0", "1", "2", "3", "4"}}, // before its successor
    };
    for (const Case& c : cases) {
        ShortcutList list;
        fill(list, 5);
        moveToPointer(list, shape(kHorizontal), c.source, c.pointer);
        EXPECT_EQ(namesOf(list), c.expected) << c.source << " to x " << c.pointer.x;
    }
    ShortcutList small;
    fill(small, 3);
    moveToPointer(small, shape(kHorizontal, false, 16), 2, {1, 5});
    EXPECT_EQ(namesOf(small), Names({"0", "1", "2"}));
}

TEST(GridTest, DropInsertIndex) {
    struct Case {
        GridShape shape;
        int count;
        Point drop;
        int expected;
    };
    const Case cases[] = {
        {shape(kHorizontal), 5, {35, 20}, 0},
        {shape(kHorizontal), 5, {36, 20}, 1},
        {shape(kHorizontal), 5, {120, 20}, 3},
        {shape(kHorizontal), 5, {224, 20}, 5},  // far end of the box: after the last
        {shape(kHorizontal), 5, {266, 20}, 0},  // slot N: front
        {shape(kHorizontal), 5, {-1, -1}, 0},
        // A pinned box still subtracts the grip: the first icon (x 5..36) inserts at the
        // front and the second (x 47..78) at 1, except where the slot boundary cuts the
        // icon's last column.
        {shape(kHorizontal, true), 5, {5, 20}, 0},
        {shape(kHorizontal, true), 5, {35, 20}, 0},
        {shape(kHorizontal, true), 5, {36, 20}, 1},
        {shape(kHorizontal, true), 5, {47, 20}, 1},
        {shape(kHorizontal, true), 5, {77, 20}, 1},
        {shape(kHorizontal, true), 5, {78, 20}, 2},
        {shape(kVertical), 5, {20, 120}, 3},
        {shape(kVertical), 5, {120, 20}, 0},
        {shape(kHorizontal), 0, {120, 20}, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(dropInsertIndex(c.shape, c.count, c.drop), c.expected)
            << "N " << c.count << " at " << c.drop.x << "," << c.drop.y;
    }
}

TEST(GridTest, InsertionMarker) {
    struct Case {
        GridShape shape;
        Point pointer;
        Rect expected;
    };
    const Case cases[] = {
        {shape(kHorizontal), {118, 20}, {139, 1, 4, 40}},  // a slot ahead of the drag
        {shape(kHorizontal), {117, 20}, {97, 1, 4, 40}},
        {shape(kHorizontal), {118, 60}, {139, 1, 4, 40}},  // always the first row
        {shape(kVertical), {20, 118}, {1, 139, 40, 4}},
        {shape(kHorizontal, true), {0, 0}, {-2, 1, 4, 40}},
        {shape(kHorizontal, true), {19, 0}, {40, 1, 4, 40}},
        {shape(kVertical, false, 16), {0, 5000}, {1, 13 + 192 * 26, 24, 4}},  // not clamped
        {shape(kHorizontal), {-1, -1}, {13, 1, 4, 40}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(insertionMarker(c.shape, c.pointer), c.expected)
            << "at " << c.pointer.x << "," << c.pointer.y;
    }
}

}  // namespace
}  // namespace kivolt
