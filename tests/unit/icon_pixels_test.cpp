#include "ui/icon_pixels.h"

#include <gtest/gtest.h>

#include "test_canvas.h"

namespace kivolt {
namespace {

using testing::filledImage;
using testing::makeImage;
using testing::pixelAt;
using testing::setPixel;

int alphaAt(Image& image, int x, int y) { return image.view().pixel(x, y)[3]; }

TEST(IconPixelsTest, UnpremultiplyDividesColoursByAlpha) {
    struct Case {
        int premultiplied, alpha, expected;
    };
    const Case cases[] = {
        {220, 220, 255},  // white at alpha 220, as DrawIconEx leaves it
        {110, 220, 128},  // rounded to nearest
        {100, 255, 100},  // opaque pixels keep their colour
        {1, 2, 128},
        {0, 200, 0},
        {250, 100, 255},  // more colour than alpha allows: clamped
        {77, 0, 0},       // fully transparent: black
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.premultiplied << " at alpha " << c.alpha);
        Image image = filledImage(1, 1, rgb(c.premultiplied, c.premultiplied / 2, 0), 4, c.alpha);
        unpremultiply(image);
        EXPECT_EQ(redOf(pixelAt(image, 0, 0)), c.expected);
        EXPECT_EQ(alphaAt(image, 0, 0), c.alpha);
    }
    Image halves = filledImage(1, 1, rgb(100, 50, 25), 4, 200);
    unpremultiply(halves);
    EXPECT_EQ(pixelAt(halves, 0, 0), rgb(128, 64, 32));
}

TEST(IconPixelsTest, HasAlphaWhenAnyPixelHasSome) {
    Image image = filledImage(3, 2, rgb(10, 20, 30), 4, 0);
    EXPECT_FALSE(hasAlpha(image));
    setPixel(image, 2, 1, rgb(10, 20, 30), 1);
    EXPECT_TRUE(hasAlpha(image));
    EXPECT_FALSE(hasAlpha(filledImage(2, 2, rgb(1, 2, 3))));  // 24 bits carry none
    EXPECT_FALSE(hasAlpha(Image{}));
}

TEST(IconPixelsTest, MaskGivesAlphaToIconsWithoutAny) {
    Image image = filledImage(3, 1, rgb(200, 100, 50), 4, 0);
    Image mask = filledImage(3, 1, rgb(255, 255, 255), 4, 0);
    setPixel(mask, 1, 0, rgb(0, 0, 0), 0);
    alphaFromMask(image, mask);
    EXPECT_EQ(pixelAt(image, 1, 0), rgb(200, 100, 50));
    EXPECT_EQ(alphaAt(image, 1, 0), 255);
    for (int x : {0, 2}) {
        EXPECT_EQ(pixelAt(image, x, 0), rgb(0, 0, 0)) << x;
        EXPECT_EQ(alphaAt(image, x, 0), 0) << x;
    }

    Image other = filledImage(2, 2, rgb(9, 9, 9), 4, 0);
    const auto before = other.pixels;
    alphaFromMask(other, mask);  // a mask of another size is no mask for it
    EXPECT_EQ(other.pixels, before);
}

}  // namespace
}  // namespace kivolt
