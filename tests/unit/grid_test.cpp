#include "model/grid.h"

#include <gtest/gtest.h>

#include <algorithm>
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

// A monitor at the origin with a taskbar along its bottom edge.
Monitor screen(int width, int height, int taskbar = 0) {
    return {{0, 0, width, height}, {0, 0, width, height - taskbar}};
}
const Monitor kDesktop = screen(1920, 1080, 40);

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
        const char* what;
        Monitor monitor;
        int orientation;
        bool pinned;
        int count;
        Size expected;
    };
    const Case cases[] = {
        {"one row", kDesktop, kHorizontal, false, 5, {225, 42}},
        {"one column", kDesktop, kVertical, false, 5, {42, 225}},
        {"wider than the display: DW - 1, two rows", kDesktop, kHorizontal, false, 50, {1919, 84}},
        {"taller than the work area: two columns", kDesktop, kVertical, false, 30, {84, 1040}},
        {"L >= DH: two columns", kDesktop, kVertical, false, 26, {84, 1040}},
        {"empty pinned row", kDesktop, kHorizontal, true, 0, {42, 42}},
        {"empty pinned column", kDesktop, kVertical, true, 0, {42, 42}},
        {"empty row keeps its grip", kDesktop, kHorizontal, false, 0, {15, 42}},
        {"empty column keeps its grip", kDesktop, kVertical, false, 0, {42, 15}},
        {"pinned row", kDesktop, kHorizontal, true, 3, {126, 42}},
        {"unknown orientations size as vertical", kDesktop, 7, false, 5, {42, 225}},
        // Where the first formulas leave a shortcut outside the box, whole cells decide.
        {"91 in a row: room for 90 in two rows", screen(1920, 1080), kHorizontal, false, 91, {1920, 126}},
        {"51 in a column: room for 50 in two columns", screen(1920, 1080), kVertical, false, 51, {126, 1080}},
        {"25 in a column above a taskbar: room for 24", kDesktop, kVertical, false, 25, {84, 1040}},
        {"20 on 1536 x 864 with a 48-pixel taskbar", screen(1536, 864, 48), kVertical, false, 20, {84, 816}},
        {"35 on 1366 x 768", screen(1366, 768), kVertical, false, 35, {126, 768}},
        {"36 on 1366 x 768", screen(1366, 768), kVertical, false, 36, {126, 768}},
        {"a row no wider than the display but wider than the work area (taskbar at the right)",
         {{0, 0, 1920, 1080}, {0, 0, 1860, 1080}}, kHorizontal, false, 44, {1860, 84}},
        {"a column no taller than the display but taller than the work area (taskbar at the top)",
         {{0, 0, 1920, 1080}, {0, 40, 1920, 1040}}, kVertical, false, 25, {84, 1040}},
        {"sized on the monitor that holds it", {{1920, -200, 1280, 1024}, {1920, -200, 1280, 984}}, kHorizontal,
         false, 40, {1279, 84}},
        {"more than the work area holds: the box fills it", screen(1366, 768, 40), kHorizontal, false, 600,
         {1366, 728}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(boxClientSize(shape(c.orientation, c.pinned), c.count, c.monitor), c.expected) << c.what;
    }
}

// The size formulas first described for the box: one long row (column), as many rows
// (columns) as the length asks, with the display's size and the taskbar below the work area.
Size describedSize(const GridShape& s, int count, const Monitor& m) {
    const int c = s.itemSize + 10;
    const int length = count * c + (s.pinned ? 0 : 15);
    const int dw = m.bounds.w, dh = m.bounds.h, taskbar = m.bounds.bottom() - m.workArea.bottom();
    Size size = s.orientation == kHorizontal ? Size{length <= dw ? length : dw - 1, (length / dw + 1) * c}
                                             : Size{(length / dh + 1) * c, std::min(length, dh - taskbar)};
    if (size.width == 0) size.width = c;
    if (size.height == 0) size.height = c;
    return size;
}

// The cell of list index `index`, with its margins, lies inside a box of that size.
bool cellInside(const GridShape& s, Size box, int index) {
    const Point icon = cellPosition(s, box.width, index);
    const int c = s.itemSize + 10;
    return icon.x - 5 >= 0 && icon.y - 5 >= 0 && icon.x - 5 + c <= box.width && icon.y - 5 + c <= box.height;
}

// Laid out row by row, every one of `count` shortcuts has its whole cell inside the box: the
// last one, in the lowest row, and the last one of the first row, in the rightmost column.
bool showsAll(const GridShape& s, Size box, int count) {
    if (count == 0) return true;
    return cellInside(s, box, count - 1) && cellInside(s, box, std::min(count, columnCount(s, box.width)) - 1);
}

bool within(Size box, const Rect& area) { return box.width <= area.w && box.height <= area.h; }

TEST(GridTest, EveryShortcutHasItsCellInsideABoxInsideTheWorkArea) {
    const struct {
        const char* what;
        Monitor monitor;
    } screens[] = {
        {"1920 x 1080 without a taskbar", screen(1920, 1080)},
        {"1920 x 1080, taskbar 40", screen(1920, 1080, 40)},
        {"1920 x 1080, taskbar 40 at the top", {{0, 0, 1920, 1080}, {0, 40, 1920, 1040}}},
        {"1920 x 1080, taskbar 62 at the right", {{0, 0, 1920, 1080}, {0, 0, 1858, 1080}}},
        {"1536 x 864 (125 %), taskbar 48", screen(1536, 864, 48)},
        {"1366 x 768", screen(1366, 768)},
        {"1366 x 768, taskbar 40", screen(1366, 768, 40)},
        {"2560 x 1440, taskbar 48", screen(2560, 1440, 48)},
        {"laptop 1920 x 1080 at 150 %, scaled", screen(1280, 720, 48)},
        {"1280 x 800 (150 % of 1920 x 1200), taskbar 60 at the left", {{0, 0, 1280, 800}, {60, 0, 1220, 800}}},
        {"portrait 1080 x 1920, taskbar 48", screen(1080, 1920, 48)},
        {"right of the primary monitor", {{1920, 0, 1920, 1080}, {1920, 0, 1920, 1040}}},
        {"above the primary monitor", {{0, -1080, 1920, 1080}, {0, -1080, 1920, 1032}}},
    };
    std::vector<std::string> failures;
    for (const auto& sc : screens) {
        const Rect& work = sc.monitor.workArea;
        for (int orientation : {kVertical, kHorizontal})
            for (bool pinned : {false, true})
                for (int itemSize = 16; itemSize <= 64; ++itemSize)
                    for (int count = 0; count <= 200; ++count) {
                        const GridShape s = shape(orientation, pinned, itemSize);
                        const Size box = boxClientSize(s, count, sc.monitor);
                        const int c = itemSize + 10;
                        const bool horizontal = orientation == kHorizontal;
                        const int workAlong = horizontal ? work.w : work.h;
                        const int workAcross = horizontal ? work.h : work.w;
                        const bool room = count <= (workAlong - (pinned ? 0 : 15)) / c * (workAcross / c);
                        const Size described = describedSize(s, count, sc.monitor);
                        std::string fault;
                        if (!within(box, work) || box.width < 1 || box.height < 1)
                            fault = "leaves the work area";
                        else if (room && !showsAll(s, box, count))
                            fault = "hides a shortcut";
                        else if (within(described, work) && showsAll(s, described, count) && box != described)
                            fault = "changed a size that showed every shortcut";
                        if (!fault.empty() && failures.size() < 10)
                            failures.push_back(std::string(sc.what) + (horizontal ? ", row" : ", column") +
                                               (pinned ? ", pinned" : "") + ", S " + std::to_string(itemSize) +
                                               ", N " + std::to_string(count) + ": " + std::to_string(box.width) +
                                               " x " + std::to_string(box.height) + " " + fault);
                    }
    }
    EXPECT_TRUE(failures.empty()) << ::testing::PrintToString(failures);
}

TEST(GridTest, BoxClientSizeSurvivesNonsenseInput) {
    const Size tiny = boxClientSize(shape(kHorizontal, false, -50), 3, Monitor{});
    EXPECT_GT(tiny.width, 0);
    EXPECT_GT(tiny.height, 0);
    const Size huge = boxClientSize(shape(kVertical, false, 64), INT_MAX, kDesktop);
    EXPECT_EQ(huge, (Size{1920, 1040}));
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
        {shape(kHorizontal, false, 24), 1365, 39, {20, 39}},  // whole cells after the grip: D = 39, not 40
        {shape(kHorizontal), 30, 2, {20, 89}},     // narrower than a cell: one column
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

TEST(GridTest, OnlyAPointerInsideTheBoxIsOnTheGrip) {
    EXPECT_TRUE(onGripStrip(shape(kHorizontal), {0, 20}));
    EXPECT_TRUE(onGripStrip(shape(kHorizontal), {14, 20}));
    EXPECT_FALSE(onGripStrip(shape(kHorizontal), {15, 20}));
    EXPECT_TRUE(onGripStrip(shape(kVertical), {20, 14}));
    EXPECT_FALSE(onGripStrip(shape(kVertical), {5, 15}));
    EXPECT_FALSE(onGripStrip(shape(kHorizontal, true), {5, 20}));
    EXPECT_FALSE(onGripStrip(shape(kVertical, true), {20, 5}));
    EXPECT_FALSE(onGripStrip(shape(kHorizontal), {-1, -1}));  // outside the box
    EXPECT_FALSE(onGripStrip(shape(kVertical), {-1, -1}));
}

// Two boxes with several rows or columns: 26 shortcuts in a two-column vertical box (cell i at
// x = 5 + 42 (i mod 2), y = 20 + 42 (i div 2)) and 50 in a horizontal box of 45 cells per row.
constexpr int kTwoColumns = 84;
constexpr int kTwoRows = 1919;
// The middle of the icon of shortcut 21 in the two-column box, row 10, column 1.
constexpr Point kMiddleOf21{47 + 16, 20 + 420 + 16};

TEST(GridTest, DragSlot) {
    struct Case {
        GridShape shape;
        int clientWidth;
        Point pointer;
        int expected;
    };
    const Case cases[] = {
        {shape(kHorizontal), 225, {119, 0}, 2},
        {shape(kHorizontal), 225, {120, 0}, 3},
        {shape(kHorizontal), 225, {224, 41}, 5},
        {shape(kVertical), 42, {41, 120}, 3},  // one column: counted down it
        {shape(kHorizontal, false, 16), 93, {1, 0}, -1},  // over the grip
        {shape(kHorizontal, true), 126, {21, 0}, 1},
        {shape(kHorizontal, true), 126, {20, 0}, 0},
        {shape(5), 42, {0, 120}, 3},  // unknown orientations read y
        // Outside the box nothing moves, whatever the item size.
        {shape(kHorizontal), 225, {-1, -1}, -1},
        {shape(kHorizontal, false, 23), 225, {-1, -1}, -1},
        {shape(kHorizontal, true, 16), 225, {-1, -1}, -1},
        // Several rows or columns: the row under the pointer counts.
        {shape(kVertical), kTwoColumns, kMiddleOf21, 22},
        {shape(kVertical), kTwoColumns, {43, 440}, 21},
        {shape(kVertical), kTwoColumns, {20, 440}, 20},
        {shape(kVertical), kTwoColumns, {83, 5}, 2},  // over the grip: the first row
        {shape(kHorizontal), kTwoRows, {162, 63}, 49},
        {shape(kHorizontal), kTwoRows, {1, 60}, 45},     // row 1 over the grip: before its first cell
        {shape(kHorizontal), kTwoRows, {1918, 60}, 90},  // past the last cell of row 1
        {shape(kHorizontal, false, 16), kTwoRows, {1, 30}, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(dragSlot(c.shape, c.clientWidth, c.pointer), c.expected)
            << "S " << c.shape.itemSize << " width " << c.clientWidth << " at " << c.pointer.x << "," << c.pointer.y;
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
        {4, {21, 20}, {"4", "0", "1", "2", "3"}},
        {2, {99, 20}, {"0", "1", "2", "3", "4"}},  // own slot
        {2, {140, 20}, {"0", "1", "2", "3", "4"}}, // before its successor
        {4, {-1, -1}, {"0", "1", "2", "3", "4"}},  // released outside the box
    };
    for (const Case& c : cases) {
        ShortcutList list;
        fill(list, 5);
        moveToPointer(list, shape(kHorizontal), 225, c.source, c.pointer);
        EXPECT_EQ(namesOf(list), c.expected) << c.source << " to x " << c.pointer.x;
    }
    ShortcutList small;
    fill(small, 3);
    moveToPointer(small, shape(kHorizontal, false, 16), 93, 2, {1, 5});
    EXPECT_EQ(namesOf(small), Names({"0", "1", "2"}));

    // Dropped on the middle of shortcut 21 in a two-column box, shortcut 0 goes after it.
    ShortcutList column;
    fill(column, 26);
    moveToPointer(column, shape(kVertical), kTwoColumns, 0, kMiddleOf21);
    EXPECT_EQ(namesOf(column)[20], "21");
    EXPECT_EQ(namesOf(column)[21], "0");
}

TEST(GridTest, DropInsertIndex) {
    struct Case {
        GridShape shape;
        int clientWidth;
        int count;
        Point drop;
        int expected;
    };
    const Case cases[] = {
        {shape(kHorizontal), 225, 5, {35, 20}, 0},
        {shape(kHorizontal), 225, 5, {36, 20}, 1},
        {shape(kHorizontal), 225, 5, {120, 20}, 3},
        {shape(kHorizontal), 225, 5, {224, 20}, 5},  // far end of the box: after the last
        {shape(kHorizontal), 225, 5, {-1, -1}, 0},
        // A pinned box still subtracts the grip: the first icon (x 5..36) inserts at the
        // front and the second (x 47..78) at 1, except where the slot boundary cuts the
        // icon's last column.
        {shape(kHorizontal, true), 210, 5, {5, 20}, 0},
        {shape(kHorizontal, true), 210, 5, {35, 20}, 0},
        {shape(kHorizontal, true), 210, 5, {36, 20}, 1},
        {shape(kHorizontal, true), 210, 5, {47, 20}, 1},
        {shape(kHorizontal, true), 210, 5, {77, 20}, 1},
        {shape(kHorizontal, true), 210, 5, {78, 20}, 2},
        {shape(kVertical), 42, 5, {20, 120}, 3},
        {shape(kVertical), 42, 5, {40, 20}, 0},
        {shape(kHorizontal), 15, 0, {10, 20}, 0},
        // Several rows or columns: the cell under the drop point; empty cells after the last
        // shortcut insert at the end.
        {shape(kVertical), kTwoColumns, 26, kMiddleOf21, 22},
        {shape(kVertical), kTwoColumns, 26, {20, 1000}, 26},
        {shape(kHorizontal), kTwoRows, 50, {162, 63}, 49},
        {shape(kHorizontal), kTwoRows, 50, {1000, 63}, 50},
        {shape(kHorizontal, true), kTwoRows, 50, {35, 63}, 45},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(dropInsertIndex(c.shape, c.clientWidth, c.count, c.drop), c.expected)
            << "N " << c.count << " at " << c.drop.x << "," << c.drop.y;
    }
}

TEST(GridTest, InsertionMarkerStandsOnTheDragSlot) {
    struct Case {
        GridShape shape;
        int clientWidth;
        Point pointer;
        std::optional<Rect> expected;
    };
    const Case cases[] = {
        // Centred on the boundary in front of the drag slot: at the middle of a cell it moves
        // on exactly where the slot does.
        {shape(kHorizontal), 225, {119, 20}, Rect{97, 1, 4, 40}},
        {shape(kHorizontal), 225, {120, 20}, Rect{139, 1, 4, 40}},
        {shape(kVertical), 42, {20, 120}, Rect{1, 139, 40, 4}},
        {shape(kHorizontal, true), 126, {0, 0}, Rect{-2, 1, 4, 40}},
        {shape(kHorizontal, true), 126, {21, 0}, Rect{40, 1, 4, 40}},
        {shape(kVertical, false, 16), 26, {0, 5000}, Rect{1, 13 + 192 * 26, 24, 4}},  // not clamped
        {shape(kHorizontal), 225, {-1, -1}, std::nullopt},  // outside: a release moves nothing
        // In the row under the pointer, between the cells of that row.
        {shape(kHorizontal), kTwoRows, {120, 60}, Rect{139, 43, 4, 40}},
        {shape(kVertical), kTwoColumns, kMiddleOf21, Rect{82, 15 + 420 + 1, 4, 40}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(insertionMarker(c.shape, c.clientWidth, c.pointer), c.expected)
            << "at " << c.pointer.x << "," << c.pointer.y;
    }
}

}  // namespace
}  // namespace kivolt
