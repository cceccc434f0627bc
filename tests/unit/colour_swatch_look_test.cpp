#include "dialogs/colour_swatch_look.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_canvas.h"

namespace kivolt {
namespace {

using testing::filledImage;
using testing::maskOf;
using testing::pixelAt;

TEST(SwatchLook, StrictInsideTestAndPressFlag) {
    const Rect swatch{335, 30, 100, 20};
    const struct {
        const char* what;
        Point pointer;
        bool held;
        bool pressed;
        SwatchLook expected;
    } cases[] = {
        {"pointer elsewhere", {10, 10}, false, false, SwatchLook::Flat},
        {"pointer outside the dialog", {-1, -1}, true, true, SwatchLook::Flat},
        {"over", {336, 31}, false, false, SwatchLook::Raised},
        {"over, pressed on it and held", {434, 49}, true, true, SwatchLook::Sunken},
        {"held after a press elsewhere", {380, 40}, true, false, SwatchLook::Raised},
        {"pressed on it but released", {380, 40}, false, true, SwatchLook::Raised},
        {"left edge", {335, 40}, true, true, SwatchLook::Flat},
        {"top edge", {380, 30}, true, true, SwatchLook::Flat},
        {"one past the right edge's last pixel", {435, 40}, true, true, SwatchLook::Flat},
        {"one past the bottom", {380, 50}, true, true, SwatchLook::Flat},
        {"dragged out while pressed", {500, 40}, true, true, SwatchLook::Flat},
    };
    for (const auto& c : cases) EXPECT_EQ(swatchLook(swatch, c.pointer, c.held, c.pressed), c.expected) << c.what;
}

TEST(SwatchLook, ReleaseOpensTheDialogOnlyStrictlyInsideAfterAPress) {
    const Size size{100, 20};
    const struct {
        Point pointer;
        bool pressed;
        bool expected;
    } cases[] = {
        {{50, 10}, true, true},   {{1, 1}, true, true},     {{99, 19}, true, true},
        {{50, 10}, false, false}, {{0, 10}, true, false},   {{50, 0}, true, false},
        {{100, 10}, true, false}, {{50, 20}, true, false},  {{-5, 10}, true, false},
        {{300, 300}, true, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(releaseOpensDialog(size, c.pointer, c.pressed), c.expected)
            << c.pointer.x << "," << c.pointer.y << " pressed " << c.pressed;
    }
}

TEST(SwatchLook, FrameColourIndexesOuterToInner) {
    EXPECT_EQ(swatchFrameColourIndexes(SwatchLook::Flat), (std::array<int, 3>{15, 15, 15}));
    EXPECT_EQ(swatchFrameColourIndexes(SwatchLook::Raised), (std::array<int, 3>{16, 22, 20}));
    EXPECT_EQ(swatchFrameColourIndexes(SwatchLook::Sunken), (std::array<int, 3>{21, 16, 22}));
}

constexpr Colour kFace = rgb(212, 208, 200);
constexpr Colour kOuter = rgb(1, 1, 1);
constexpr Colour kMiddle = rgb(2, 2, 2);
constexpr Colour kInner = rgb(3, 3, 3);
constexpr Colour kRed = rgb(255, 0, 0);

TEST(PaintColourSwatch, FourRoundedRectanglesInsetOnTheFace) {
    Image canvas = filledImage(100, 20, rgb(255, 255, 255));
    paintColourSwatch(canvas.view(), {100, 20}, kFace, {kOuter, kMiddle, kInner}, kRed);

    // Radius (100 + 20) / 30 = 4. Along the middle row every ring is one pixel wide, the
    // inner ring two (3 and 4), the colour from 5 to 94.
    const std::string middleRow = [&] {
        std::string row;
        for (int x = 0; x < 100; ++x) {
            const Colour c = pixelAt(canvas, x, 10);
            row += c == kFace ? 'f' : c == kOuter ? 'o' : c == kMiddle ? 'm' : c == kInner ? 'i' : c == kRed ? 'R' : '?';
        }
        return row;
    }();
    EXPECT_EQ(middleRow, "fomii" + std::string(90, 'R') + "iimof");

    // The white of a new control is gone everywhere; the corners keep the face colour.
    EXPECT_EQ(maskOf(canvas, rgb(255, 255, 255)), std::vector<std::string>(20, std::string(100, '.')));
    EXPECT_EQ(pixelAt(canvas, 0, 0), kFace);
    EXPECT_EQ(pixelAt(canvas, 1, 1), kFace) << "rounded corner of the outer ring";
    EXPECT_EQ(pixelAt(canvas, 5, 5), kInner) << "rounded corner of the colour";
    EXPECT_EQ(pixelAt(canvas, 9, 5), kRed);
    EXPECT_EQ(pixelAt(canvas, 50, 5), kRed);
    EXPECT_EQ(pixelAt(canvas, 50, 14), kRed);
    EXPECT_EQ(pixelAt(canvas, 50, 15), kInner);
    EXPECT_EQ(pixelAt(canvas, 50, 19), kFace);
}

TEST(PaintColourSwatch, RadiusFollowsTheSizeAndTinySwatchesStayInBounds) {
    // 300 x 60 gives radius 12: the colour's corner pixel (5, 5) is outside its rounding.
    Image large = filledImage(300, 60, rgb(255, 255, 255));
    paintColourSwatch(large.view(), {300, 60}, kFace, {kOuter, kMiddle, kInner}, kRed);
    EXPECT_NE(pixelAt(large, 6, 6), kRed);
    EXPECT_EQ(pixelAt(large, 150, 30), kRed);

    for (const Size size : {Size{0, 0}, Size{3, 3}, Size{10, 10}, Size{11, 11}}) {
        Image tiny = filledImage(12, 12, rgb(255, 255, 255));
        paintColourSwatch(tiny.view(), size, kFace, {kOuter, kMiddle, kInner}, kRed);
        EXPECT_EQ(pixelAt(tiny, 11, 11), rgb(255, 255, 255)) << "nothing beyond the swatch " << size.width;
    }
    Image tiny = filledImage(11, 11, 0);
    paintColourSwatch(tiny.view(), {11, 11}, kFace, {kOuter, kMiddle, kInner}, kRed);
    EXPECT_EQ(pixelAt(tiny, 5, 5), kRed) << "the colour's 1 x 1 rectangle";
}

}  // namespace
}  // namespace kivolt
