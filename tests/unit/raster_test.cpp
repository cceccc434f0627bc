#include "ui/raster.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>
#include <vector>

#include "test_canvas.h"

namespace kivolt {
namespace {

using testing::filledImage;
using testing::makeImage;
using testing::maskOf;
using testing::pixelAt;
using testing::setPixel;

constexpr Colour kPaper = rgb(255, 255, 255);
constexpr Colour kInk = rgb(10, 20, 30);

using Rows = std::vector<std::string>;

Rows drawn(int width, int height, const std::function<void(const PixelView&)>& draw) {
    Image canvas = filledImage(width, height, kPaper);
    draw(canvas.view());
    return maskOf(canvas, kInk);
}

TEST(RoundRect, FilledCornersAreQuarterEllipses) {
    EXPECT_EQ(drawn(11, 9, [](const PixelView& v) { fillRoundRect(v, {1, 1, 9, 7}, 4, 4, kInk); }),
              (Rows{"...........",
                    "...#####...",
                    "..#######..",
                    ".#########.",
                    ".#########.",
                    ".#########.",
                    "..#######..",
                    "...#####...",
                    "..........."}));
    EXPECT_EQ(drawn(5, 5, [](const PixelView& v) { fillRoundRect(v, {0, 0, 5, 5}, 2, 2, kInk); }),
              (Rows{".###.",
                    "#####",
                    "#####",
                    "#####",
                    ".###."}));
}

TEST(RoundRect, OutlineIsTheBoundaryOfTheFilledShape) {
    EXPECT_EQ(drawn(11, 9, [](const PixelView& v) { outlineRoundRect(v, {1, 1, 9, 7}, 4, 4, kInk); }),
              (Rows{"...........",
                    "...#####...",
                    "..#.....#..",
                    ".#.......#.",
                    ".#.......#.",
                    ".#.......#.",
                    "..#.....#..",
                    "...#####...",
                    "..........."}));
}

// Pixels of the filled shape with a 4-neighbour outside it, computed here from the fill.
Rows boundaryOf(const Rows& fill) {
    const auto inside = [&](int x, int y) {
        return y >= 0 && y < static_cast<int>(fill.size()) && x >= 0 &&
               x < static_cast<int>(fill[0].size()) && fill[y][x] == '#';
    };
    Rows boundary = fill;
    for (int y = 0; y < static_cast<int>(fill.size()); ++y) {
        for (int x = 0; x < static_cast<int>(fill[0].size()); ++x) {
            const bool edge = !inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1);
            boundary[y][x] = inside(x, y) && edge ? '#' : '.';
        }
    }
    return boundary;
}

Rows mirrored(Rows rows, bool horizontally) {
    if (horizontally) {
        for (std::string& row : rows) row.assign(row.rbegin(), row.rend());
    } else {
        rows.assign(rows.rbegin(), rows.rend());
    }
    return rows;
}

TEST(RoundRect, ShapesAreSymmetricAndOutlinesMatchFills) {
    struct Case { int w, h, rx, ry; };
    for (const Case c : {Case{37, 37, 7, 7}, Case{39, 39, 8, 8}, Case{13, 37, 4, 4}, Case{4, 40, 2, 2},
                         Case{224, 41, 7, 7}, Case{8, 6, 4, 3}, Case{20, 9, 9, 2}, Case{2, 2, 1, 1}}) {
        SCOPED_TRACE(::testing::Message() << c.w << "x" << c.h << " r " << c.rx << "," << c.ry);
        const Rect rect = {1, 1, c.w, c.h};
        const Rows fill = drawn(c.w + 2, c.h + 2, [&](const PixelView& v) { fillRoundRect(v, rect, c.rx, c.ry, kInk); });
        const Rows outline =
            drawn(c.w + 2, c.h + 2, [&](const PixelView& v) { outlineRoundRect(v, rect, c.rx, c.ry, kInk); });
        EXPECT_EQ(fill, mirrored(fill, true));
        EXPECT_EQ(fill, mirrored(fill, false));
        EXPECT_EQ(outline, boundaryOf(fill));
        // The shape touches all four sides of its rectangle, and no more.
        EXPECT_NE(fill[1].find('#'), std::string::npos);
        EXPECT_NE(fill[c.h].find('#'), std::string::npos);
        EXPECT_EQ(fill[c.h / 2 + 1][1], '#');
        EXPECT_EQ(fill[c.h / 2 + 1][c.w], '#');
        EXPECT_EQ(fill[0], std::string(c.w + 2, '.'));
    }
}

TEST(RoundRect, RadiiAreClampedToHalfTheSides) {
    const auto fillWith = [](int rx, int ry) {
        return drawn(9, 7, [&](const PixelView& v) { fillRoundRect(v, {0, 0, 9, 7}, rx, ry, kInk); });
    };
    EXPECT_EQ(fillWith(100, 100), fillWith(4, 3));
    EXPECT_EQ(fillWith(4, 4), fillWith(4, 3));
    EXPECT_NE(fillWith(3, 3), fillWith(4, 3));
    const Rows rectangle(7, std::string(9, '#'));
    EXPECT_EQ(fillWith(0, 0), rectangle);
    EXPECT_EQ(fillWith(0, 5), rectangle);
    EXPECT_EQ(fillWith(-3, -3), rectangle);
    EXPECT_EQ(drawn(9, 7, [](const PixelView& v) { outlineRoundRect(v, {0, 0, 9, 7}, 0, 0, kInk); }),
              (Rows{"#########", "#.......#", "#.......#", "#.......#", "#.......#", "#.......#", "#########"}));
}

TEST(Raster, LinesCoverTheirLength) {
    EXPECT_EQ(drawn(6, 4, [](const PixelView& v) {
                  drawHorizontalLine(v, 1, 0, 4, kInk);
                  drawVerticalLine(v, 5, 1, 3, kInk);
                  drawHorizontalLine(v, 0, 2, 0, kInk);
              }),
              (Rows{".####.", ".....#", ".....#", ".....#"}));
}

// Drawing into a small canvas at (x, y) gives exactly the pixels a large canvas shows
// around the same shape: clipping cuts, it never shifts or distorts.
void expectClipsCleanly(const std::function<void(const PixelView&, int, int)>& draw) {
    constexpr int kMargin = 30;
    for (const int x : {-25, -12, -3, 0, 4, 9, 11, 40}) {
        for (const int y : {-25, -6, 0, 3, 7, 30}) {
            SCOPED_TRACE(::testing::Message() << "at " << x << "," << y);
            Image reference = filledImage(12 + 2 * kMargin, 10 + 2 * kMargin, kPaper);
            draw(reference.view(), x + kMargin, y + kMargin);
            Image small = filledImage(12, 10, kPaper);
            draw(small.view(), x, y);
            for (int py = 0; py < 10; ++py) {
                for (int px = 0; px < 12; ++px) {
                    ASSERT_EQ(pixelAt(small, px, py), pixelAt(reference, px + kMargin, py + kMargin))
                        << "pixel " << px << "," << py;
                }
            }
        }
    }
}

Image gradient(int width, int height, int bytesPerPixel, int alpha = 255) {
    Image image = makeImage(width, height, bytesPerPixel);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) setPixel(image, x, y, rgb(x * 20, y * 25, 90), alpha);
    }
    return image;
}

TEST(Raster, EverythingClipsToTheTarget) {
    expectClipsCleanly([](const PixelView& v, int x, int y) { fillRect(v, {x, y, 14, 9}, kInk); });
    expectClipsCleanly([](const PixelView& v, int x, int y) { fillRoundRect(v, {x, y, 17, 13}, 7, 7, kInk); });
    expectClipsCleanly([](const PixelView& v, int x, int y) { outlineRoundRect(v, {x, y, 17, 13}, 7, 7, kInk); });
    const Image opaque = gradient(11, 9, 3);
    const Image translucent = gradient(11, 9, 4, 120);
    expectClipsCleanly([&](const PixelView& v, int x, int y) { drawImage(v, opaque, x, y, DrawMode::Opaque); });
    expectClipsCleanly([&](const PixelView& v, int x, int y) { drawImage(v, translucent, x, y, DrawMode::Blend); });
    expectClipsCleanly(
        [&](const PixelView& v, int x, int y) { stretchImage(v, opaque, {x, y, 23, 5}, DrawMode::Opaque); });
    expectClipsCleanly(
        [&](const PixelView& v, int x, int y) { stretchImage(v, translucent, {x, y, 6, 20}, DrawMode::Blend); });
}

TEST(Raster, EmptyAndHugeShapesAreSafe) {
    const Rows blank(6, std::string(8, '.'));
    const Rows full(6, std::string(8, '#'));
    for (const Rect r : {Rect{1, 1, 0, 4}, Rect{1, 1, 4, 0}, Rect{1, 1, -3, 4}, Rect{1, 1, 4, -3},
                         Rect{8, 0, 3, 3}, Rect{0, 6, 3, 3}, Rect{-3, 0, 3, 3}, Rect{0, -3, 3, 3}}) {
        EXPECT_EQ(drawn(8, 6, [&](const PixelView& v) { fillRect(v, r, kInk); }), blank);
        EXPECT_EQ(drawn(8, 6, [&](const PixelView& v) { fillRoundRect(v, r, 2, 2, kInk); }), blank);
        EXPECT_EQ(drawn(8, 6, [&](const PixelView& v) { outlineRoundRect(v, r, 2, 2, kInk); }), blank);
    }
    const Rect huge = {INT_MIN / 2, INT_MIN / 2, INT_MAX, INT_MAX};
    EXPECT_EQ(drawn(8, 6, [&](const PixelView& v) { fillRect(v, huge, kInk); }), full);
    EXPECT_EQ(drawn(8, 6, [&](const PixelView& v) { fillRoundRect(v, huge, INT_MAX, INT_MAX, kInk); }), full);
    EXPECT_EQ(drawn(8, 6, [&](const PixelView& v) { outlineRoundRect(v, huge, 7, 7, kInk); }), blank);
    EXPECT_EQ(drawn(8, 6, [&](const PixelView& v) { fillRect(v, {INT_MAX - 1, INT_MAX - 1, INT_MAX, INT_MAX}, kInk); }),
              blank);

    Image canvas = filledImage(4, 4, kPaper);
    fillRect({}, {0, 0, 4, 4}, kInk);  // an empty view
    Image broken = makeImage(5, 5, 4);
    broken.pixels.resize(10);  // fewer bytes than its size claims
    drawImage(canvas.view(), broken, 0, 0, DrawMode::Blend);
    stretchImage(canvas.view(), broken, {0, 0, 4, 4}, DrawMode::Opaque);
    EXPECT_EQ(maskOf(canvas, kPaper), Rows(4, "####"));
}

TEST(DrawImage, BlendRoundsDownPerChannel) {
    struct Case { int alpha, image, target, expected; };
    for (const Case c : {Case{0, 200, 50, 50}, Case{255, 200, 50, 200}, Case{128, 255, 0, 128},
                         Case{128, 0, 255, 127}, Case{200, 100, 200, 121}, Case{200, 255, 255, 255},
                         Case{1, 255, 0, 1}, Case{254, 0, 255, 1}}) {
        SCOPED_TRACE(::testing::Message() << "alpha " << c.alpha << " image " << c.image << " target " << c.target);
        Image canvas = filledImage(1, 1, rgb(c.target, c.target, c.target));
        const Image image = filledImage(1, 1, rgb(c.image, c.image, c.image), 4, c.alpha);
        drawImage(canvas.view(), image, 0, 0, DrawMode::Blend);
        EXPECT_EQ(pixelAt(canvas, 0, 0), rgb(c.expected, c.expected, c.expected));
    }
}

TEST(DrawImage, OpaqueCopyIgnoresAlpha) {
    Image canvas = filledImage(3, 2, kPaper);
    Image image = makeImage(2, 2, 4);
    setPixel(image, 0, 0, rgb(1, 2, 3), 0);
    setPixel(image, 1, 0, rgb(4, 5, 6), 128);
    setPixel(image, 0, 1, rgb(7, 8, 9), 255);
    setPixel(image, 1, 1, rgb(0, 0, 0), 0);
    drawImage(canvas.view(), image, 1, 0, DrawMode::Opaque);
    EXPECT_EQ(pixelAt(canvas, 0, 0), kPaper);
    EXPECT_EQ(pixelAt(canvas, 1, 0), rgb(1, 2, 3));
    EXPECT_EQ(pixelAt(canvas, 2, 0), rgb(4, 5, 6));
    EXPECT_EQ(pixelAt(canvas, 1, 1), rgb(7, 8, 9));
    EXPECT_EQ(pixelAt(canvas, 2, 1), rgb(0, 0, 0));

    // A 24-bit image has no alpha: blending it copies it.
    Image plain = filledImage(2, 2, rgb(40, 50, 60));
    drawImage(canvas.view(), plain, 0, 0, DrawMode::Blend);
    EXPECT_EQ(pixelAt(canvas, 1, 1), rgb(40, 50, 60));
}

TEST(DrawImage, LeavesTheFourthByteOfA32BitTarget) {
    Image target = filledImage(2, 1, kPaper, 4, 77);
    drawImage(target.view(), filledImage(2, 1, kInk, 4, 255), 0, 0, DrawMode::Blend);
    fillRect(target.view(), {1, 0, 1, 1}, rgb(9, 9, 9));
    EXPECT_EQ(pixelAt(target, 0, 0), kInk);
    EXPECT_EQ(pixelAt(target, 1, 0), rgb(9, 9, 9));
    EXPECT_EQ(target.pixels[3], 77);
    EXPECT_EQ(target.pixels[7], 77);
}

TEST(StretchImage, FlatColourStaysFlatAtAnySize) {
    struct Case { int iw, ih, dw, dh; };
    for (const Case c : {Case{300, 20, 225, 42}, Case{3, 7, 225, 42}, Case{1, 1, 17, 5}, Case{97, 89, 13, 11},
                         Case{2, 50, 40, 3}}) {
        SCOPED_TRACE(::testing::Message() << c.iw << "x" << c.ih << " -> " << c.dw << "x" << c.dh);
        Image canvas = filledImage(c.dw + 2, c.dh + 2, kPaper);
        stretchImage(canvas.view(), filledImage(c.iw, c.ih, kInk), {1, 1, c.dw, c.dh}, DrawMode::Opaque);
        Rows expected(c.dh + 2, "." + std::string(c.dw, '#') + ".");
        expected.front() = expected.back() = std::string(c.dw + 2, '.');
        EXPECT_EQ(maskOf(canvas, kInk), expected);

        // Blending a flat translucent colour gives what blending it unscaled gives.
        Image blended = filledImage(c.dw, c.dh, kPaper);
        stretchImage(blended.view(), filledImage(c.iw, c.ih, kInk, 4, 200), {0, 0, c.dw, c.dh}, DrawMode::Blend);
        Image single = filledImage(1, 1, kPaper);
        drawImage(single.view(), filledImage(1, 1, kInk, 4, 200), 0, 0, DrawMode::Blend);
        EXPECT_EQ(maskOf(blended, pixelAt(single, 0, 0)), Rows(c.dh, std::string(c.dw, '#')));
    }
}

TEST(StretchImage, ShrinkAveragesAndGrowInterpolates) {
    Image pair = makeImage(2, 1);
    setPixel(pair, 0, 0, rgb(0, 0, 0));
    setPixel(pair, 1, 0, rgb(255, 255, 255));

    Image one = filledImage(1, 1, kPaper);
    stretchImage(one.view(), pair, {0, 0, 1, 1}, DrawMode::Opaque);
    EXPECT_EQ(pixelAt(one, 0, 0), rgb(128, 128, 128));

    Image four = filledImage(4, 1, kPaper);
    stretchImage(four.view(), pair, {0, 0, 4, 1}, DrawMode::Opaque);
    const int expected[] = {0, 64, 191, 255};
    for (int x = 0; x < 4; ++x) EXPECT_EQ(redOf(pixelAt(four, x, 0)), expected[x]) << "x " << x;
}

TEST(StretchImage, SameSizeIsAnExactCopy) {
    const Image image = gradient(7, 5, 3);
    Image canvas = filledImage(7, 5, kPaper);
    stretchImage(canvas.view(), image, {0, 0, 7, 5}, DrawMode::Opaque);
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 7; ++x) EXPECT_EQ(pixelAt(canvas, x, y), rgb(x * 20, y * 25, 90));
    }
}

TEST(StretchImage, TransparentPixelsDoNotBleedIntoBlends) {
    Image image = makeImage(2, 1, 4);
    setPixel(image, 0, 0, rgb(255, 0, 0), 255);
    setPixel(image, 1, 0, rgb(0, 0, 0), 0);
    Image canvas = filledImage(1, 1, kPaper);
    stretchImage(canvas.view(), image, {0, 0, 1, 1}, DrawMode::Blend);
    // Half the area is opaque red: red over white stays near full, the others halve.
    EXPECT_EQ(pixelAt(canvas, 0, 0), rgb(254, 127, 127));
}

TEST(StretchImage, NothingForEmptyDestinations) {
    Image canvas = filledImage(4, 4, kPaper);
    const Image image = filledImage(3, 3, kInk);
    for (const Rect dest : {Rect{0, 0, 0, 4}, Rect{0, 0, 4, 0}, Rect{0, 0, -4, 4}, Rect{4, 0, 3, 3}, Rect{0, -5, 4, 5}}) {
        stretchImage(canvas.view(), image, dest, DrawMode::Opaque);
    }
    EXPECT_EQ(maskOf(canvas, kPaper), Rows(4, "####"));
}

int alphaAt(Image& image, int x, int y) { return image.view().pixel(x, y)[3]; }

TEST(ScaledImage, KeepsColourAndAlphaAtTheSameSize) {
    Image image = makeImage(2, 1, 4);
    setPixel(image, 0, 0, rgb(1, 2, 3), 0);
    setPixel(image, 1, 0, rgb(40, 50, 60), 220);
    Image copy = scaledImage(image, 2, 1);
    EXPECT_EQ(copy.pixels, image.pixels);

    // A 24-bit image is opaque.
    Image opaque = scaledImage(filledImage(3, 3, kInk), 2, 2);
    EXPECT_EQ(opaque.bytesPerPixel, 4);
    EXPECT_EQ(pixelAt(opaque, 1, 1), kInk);
    EXPECT_EQ(alphaAt(opaque, 1, 1), 255);
}

TEST(ScaledImage, ShrinkingAveragesAlphaAndKeepsColoursFromDarkening) {
    Image image = makeImage(2, 1, 4);
    setPixel(image, 0, 0, rgb(255, 0, 0), 255);
    setPixel(image, 1, 0, rgb(0, 0, 0), 0);
    Image one = scaledImage(image, 1, 1);
    EXPECT_EQ(pixelAt(one, 0, 0), rgb(255, 0, 0));
    EXPECT_EQ(alphaAt(one, 0, 0), 128);

    // A flat soft colour stays exactly what it was: 48 to 40, as an icon picture shrinks.
    Image soft = scaledImage(filledImage(48, 48, kPaper, 4, 220), 40, 40);
    ASSERT_EQ(soft.width, 40);
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 40; ++x) {
            ASSERT_EQ(pixelAt(soft, x, y), kPaper) << x << "," << y;
            ASSERT_EQ(alphaAt(soft, x, y), 220) << x << "," << y;
        }
    }
    EXPECT_TRUE(scaledImage(image, 0, 5).pixels.empty());
}

TEST(CopyPixels, CopiesTheRectangleClippedToBothViews) {
    Image target = filledImage(4, 3, kPaper);
    Image source = filledImage(3, 2, kInk, 4, 0);
    copyPixels(target.view(), source.view(), {1, 1, 5, 5});
    EXPECT_EQ(maskOf(target, kInk), (Rows{"....", ".##.", "...."}));
    copyPixels(target.view(), PixelView{}, {0, 0, 4, 3});
    EXPECT_EQ(maskOf(target, kInk), (Rows{"....", ".##.", "...."}));
}

}  // namespace
}  // namespace kivolt
