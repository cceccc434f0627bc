#include "ui/paint_overlay.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "test_canvas.h"

namespace kivolt {
namespace {

using testing::filledImage;
using testing::maskOf;
using testing::pixelAt;

constexpr Colour kGripBar = rgb(79, 79, 79);
constexpr Colour kGripLine = rgb(16, 16, 16);
constexpr Colour kBorder = rgb(205, 205, 205);
constexpr Colour kRunning = rgb(135, 133, 133);
constexpr Colour kHotLight = rgb(0, 102, 204);
constexpr Colour kDarkShadow = rgb(64, 64, 64);
constexpr Colour kButtonShadow = rgb(160, 160, 160);
constexpr Colour kPaperWhite = rgb(255, 255, 255);

Colour iconColour(int i) { return rgb(20 + i, 200, 100); }

// The smallest rectangle holding every pixel of the colour, or none.
std::optional<Rect> boundsOf(Image& canvas, Colour colour) {
    int left = canvas.width, top = canvas.height, right = -1, bottom = -1;
    for (int y = 0; y < canvas.height; ++y) {
        for (int x = 0; x < canvas.width; ++x) {
            if (pixelAt(canvas, x, y) != colour) continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    if (right < 0) return std::nullopt;
    return Rect{left, top, right - left + 1, bottom - top + 1};
}

bool hasColour(Image& canvas, Colour colour) { return boundsOf(canvas, colour).has_value(); }

// The worked example: S = 32, horizontal, not pinned, five shortcuts, 225 x 42.
class OverlayTest : public ::testing::Test {
protected:
    OverlayTest() {
        state.itemSize = 32;
        state.orientation = 1;
        state.drawBorder = 1;
        state.backgroundColour = kBorder;
        state.systemColours = {kHotLight, kDarkShadow, kButtonShadow};
        for (int i = 0; i < 5; ++i) icons.push_back(filledImage(32, 32, iconColour(i), 4, 255));
        for (int i = 0; i < 5; ++i) items.push_back({&icons[i], std::string(1, static_cast<char>('a' + i)) + ".exe"});
    }

    std::vector<Point> paint(int width = 225, int height = 42) {
        canvas = filledImage(width, height, rgb(255, 255, 255));
        return paintOverlay(canvas.view(), state, items, [this](const std::string& fileName) {
            asked.push_back(fileName);
            return fileName == running;
        });
    }

    OverlayState state;
    std::vector<Image> icons;
    std::vector<OverlayItem> items;
    std::string running = "c.exe";
    std::vector<std::string> asked;
    Image canvas;
};

TEST_F(OverlayTest, WorkedExampleLayout) {
    const std::vector<Point> cells = paint();
    EXPECT_EQ(cells, (std::vector<Point>{{20, 5}, {62, 5}, {104, 5}, {146, 5}, {188, 5}}));
    EXPECT_EQ(pixelAt(canvas, 60, 2), kKeyColour);

    // GripStrip: the bar with five lines across it.
    const std::optional<Rect> bar = boundsOf(canvas, kGripBar);
    EXPECT_EQ(bar, (Rect{2, 2, 13, 37}));
    EXPECT_EQ(boundsOf(canvas, kGripLine), (Rect{3, 8, 11, 25}));
    EXPECT_EQ(maskOf(canvas, kGripBar)[2].substr(0, 16), "....#########...");
    EXPECT_EQ(maskOf(canvas, kGripBar)[3].substr(0, 16), "...###########..");
    EXPECT_EQ(maskOf(canvas, kGripBar)[38].substr(0, 16), "....#########...");
    for (int y = 4; y <= 36; ++y) {
        EXPECT_EQ(pixelAt(canvas, 2, y), kGripBar) << y;
        const bool line = y >= 8 && y <= 32 && (y - 8) % 6 == 0;
        for (int x = 3; x <= 13; ++x) ASSERT_EQ(pixelAt(canvas, x, y), line ? kGripLine : kGripBar) << x << "," << y;
    }

    // Border: a rounded outline whose right and bottom edges are the second-last column and row.
    EXPECT_EQ(boundsOf(canvas, kBorder), (Rect{0, 0, 224, 41}));
    EXPECT_EQ(pixelAt(canvas, 0, 20), kBorder);
    EXPECT_EQ(pixelAt(canvas, 223, 20), kBorder);
    EXPECT_EQ(pixelAt(canvas, 224, 20), kKeyColour);
    EXPECT_EQ(pixelAt(canvas, 110, 0), kBorder);
    EXPECT_EQ(pixelAt(canvas, 110, 40), kBorder);
    EXPECT_EQ(pixelAt(canvas, 110, 41), kKeyColour);
    EXPECT_EQ(pixelAt(canvas, 0, 0), kKeyColour);
    EXPECT_EQ(pixelAt(canvas, 1, 20), kKeyColour);

    for (int i = 0; i < 5; ++i) EXPECT_EQ(boundsOf(canvas, iconColour(i)), (Rect{20 + 42 * i, 5, 32, 32}));
    EXPECT_FALSE(hasColour(canvas, kRunning));
    EXPECT_FALSE(hasColour(canvas, kDarkShadow));
    EXPECT_TRUE(asked.empty());  // not marking running programs: nobody is asked
}

TEST_F(OverlayTest, RunningMarkerFramesTheRunningShortcut) {
    state.markRunning = 1;
    paint();
    EXPECT_EQ(asked, (std::vector<std::string>{"a.exe", "b.exe", "c.exe", "d.exe", "e.exe"}));
    EXPECT_EQ(boundsOf(canvas, kRunning), (Rect{101, 2, 37, 37}));
    EXPECT_EQ(pixelAt(canvas, 101, 20), kRunning);
    EXPECT_EQ(pixelAt(canvas, 102, 20), kKeyColour);
    EXPECT_EQ(pixelAt(canvas, 101, 2), kKeyColour);  // rounded corner
}

TEST_F(OverlayTest, HoverFrameFollowsThePointer) {
    struct Case { Point pointer; bool framed; };
    for (const Case c : {Case{{105, 6}, true}, Case{{145, 41}, true}, Case{{120, 20}, true}, Case{{104, 20}, false},
                         Case{{146, 20}, false}, Case{{120, 5}, false}, Case{{-1, -1}, false}}) {
        SCOPED_TRACE(::testing::Message() << "pointer " << c.pointer.x << "," << c.pointer.y);
        state.pointer = c.pointer;
        paint();
        EXPECT_EQ(boundsOf(canvas, kDarkShadow), c.framed ? std::optional<Rect>(Rect{100, 1, 39, 39}) : std::nullopt);
    }
    state.pointer = {120, 20};
    state.leftButtonDown = true;
    paint();
    EXPECT_FALSE(hasColour(canvas, kDarkShadow));
    EXPECT_EQ(boundsOf(canvas, kButtonShadow), (Rect{100, 1, 39, 39}));
}

TEST_F(OverlayTest, DraggingShowsTheInsertionMarkerInsteadOfTheHoverFrame) {
    state.dragging = true;
    struct Case { bool pinned; int orientation; Point pointer; std::optional<Rect> marker; };
    for (const Case c : {Case{false, 1, {120, 20}, Rect{139, 1, 4, 40}}, Case{false, 1, {119, 20}, Rect{97, 1, 4, 40}},
                         Case{false, 1, {224, 20}, Rect{223, 1, 4, 40}}, Case{true, 1, {118, 20}, Rect{124, 1, 4, 40}},
                         Case{false, 0, {20, 120}, Rect{1, 139, 40, 4}}, Case{true, 0, {20, 21}, Rect{1, 40, 40, 4}},
                         Case{false, 1, {-1, -1}, std::nullopt}}) {
        SCOPED_TRACE(::testing::Message() << "pinned " << c.pinned << " orientation " << c.orientation);
        state.pinned = c.pinned;
        state.orientation = c.orientation;
        state.pointer = c.pointer;
        const bool horizontal = c.orientation == 1;
        paint(horizontal ? 225 : 42, horizontal ? 42 : 225);
        std::optional<Rect> visible = c.marker;
        if (visible) visible->w = std::min(visible->w, 225 - visible->x);
        EXPECT_EQ(boundsOf(canvas, kHotLight), visible);
        EXPECT_FALSE(hasColour(canvas, kDarkShadow));
    }
}

TEST_F(OverlayTest, VerticalGripAndCells) {
    state.orientation = 0;
    const std::vector<Point> cells = paint(42, 225);
    EXPECT_EQ(cells, (std::vector<Point>{{5, 20}, {5, 62}, {5, 104}, {5, 146}, {5, 188}}));
    EXPECT_EQ(boundsOf(canvas, kGripBar), (Rect{2, 2, 37, 13}));
    EXPECT_EQ(boundsOf(canvas, kGripLine), (Rect{8, 3, 25, 11}));
    for (const int x : {8, 14, 20, 26, 32}) EXPECT_EQ(pixelAt(canvas, x, 3), kGripLine) << x;
    EXPECT_EQ(pixelAt(canvas, 9, 3), kGripBar);
    EXPECT_EQ(boundsOf(canvas, kBorder), (Rect{0, 0, 41, 224}));
}

TEST_F(OverlayTest, PinnedBoxesHaveNoGrip) {
    for (const auto& [pinned, orientation] : {std::pair{true, 1}, std::pair{true, 0}}) {
        state.pinned = pinned;
        state.orientation = orientation;
        const std::vector<Point> cells = paint();
        EXPECT_EQ(cells[0], (Point{5, 5}));
        EXPECT_EQ(cells[1], (Point{47, 5}));
        EXPECT_FALSE(hasColour(canvas, kGripBar));
        EXPECT_FALSE(hasColour(canvas, kGripLine));
    }
}

TEST_F(OverlayTest, EmptyListWithoutBorder) {
    items.clear();
    EXPECT_TRUE(paint().empty());
    EXPECT_TRUE(hasColour(canvas, kGripBar));
    EXPECT_TRUE(hasColour(canvas, kBorder));

    state.drawBorder = 0;
    state.pinned = true;
    paint();
    EXPECT_EQ(boundsOf(canvas, kKeyColour), (Rect{0, 0, 225, 42}));
    EXPECT_FALSE(hasColour(canvas, kBorder));
    EXPECT_FALSE(hasColour(canvas, rgb(255, 255, 255)));
}

TEST_F(OverlayTest, RowsWrapAtTheColumnCountAndStillGetCells) {
    const std::vector<Point> cells = paint(100, 42);  // D = 100 div 42 = 2
    EXPECT_EQ(cells, (std::vector<Point>{{20, 5}, {62, 5}, {20, 47}, {62, 47}, {20, 89}}));
    EXPECT_FALSE(hasColour(canvas, iconColour(2)));  // below the window, clipped away

    state.pinned = true;
    EXPECT_EQ(paint(30, 42)[1], (Point{5, 47}));  // narrower than a cell: one column
}

TEST_F(OverlayTest, IconsBlendByTheirAlphaAndMissingImagesDrawNothing) {
    icons[0] = filledImage(32, 32, rgb(0, 100, 0), 4, 128);
    items[1].image = nullptr;
    const std::vector<Point> cells = paint();
    EXPECT_EQ(cells[1], (Point{62, 5}));
    // Over the background colour 205: (0 * 128 + 205 * 127) div 255 = 102 for red and blue,
    // (100 * 128 + 205 * 127) div 255 = 152 for green.
    EXPECT_EQ(pixelAt(canvas, 30, 20), rgb(102, 152, 102));
    EXPECT_EQ(pixelAt(canvas, 70, 20), kKeyColour);
}

TEST_F(OverlayTest, SoftIconPixelsBlendOverWhatLiesBeneathAndKeyedOnesStayKeyed) {
    // A keyed icon: see-through outer ring, white at alpha 220 inside it, opaque centre.
    Image icon = filledImage(32, 32, rgb(0, 0, 220), 4, 255);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const int ring = std::min({x, y, 31 - x, 31 - y});
            if (ring == 0) testing::setPixel(icon, x, y, 0, 0);
            if (ring == 1) testing::setPixel(icon, x, y, kPaperWhite, 220);
        }
    }
    keyOutSoftPixels(icon);
    icons[0] = icon;

    // Over the background colour: (255 * 220 + 205 * 35) div 255 = 248, not pink.
    paint();
    EXPECT_EQ(pixelAt(canvas, 20 + 1, 5 + 10), rgb(248, 248, 248));
    EXPECT_EQ(pixelAt(canvas, 20 + 0, 5 + 10), kKeyColour);
    EXPECT_EQ(pixelAt(canvas, 20 + 10, 5 + 10), rgb(0, 0, 220));

    // Over the background picture's pixel at that place; where the picture ends, over the colour.
    Image beneath = filledImage(40, 42, rgb(0, 255, 60));
    state.beneath = beneath.view();
    paint();
    EXPECT_EQ(pixelAt(canvas, 20 + 1, 5 + 10), rgb(220, 255, 228));
    EXPECT_EQ(pixelAt(canvas, 20 + 30, 5 + 10), rgb(248, 248, 248));
    EXPECT_EQ(pixelAt(canvas, 20 + 0, 5 + 10), kKeyColour);
    EXPECT_EQ(pixelAt(canvas, 19, 5 + 10), kKeyColour) << "nothing beneath shows outside the icons";
}

}  // namespace
}  // namespace kivolt
