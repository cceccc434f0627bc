#include "ui/paint_background.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_canvas.h"
#include "ui/raster.h"

namespace kivolt {
namespace {

using testing::filledImage;
using testing::makeImage;
using testing::maskOf;
using testing::pixelAt;
using testing::setPixel;

constexpr Colour kFill = rgb(205, 205, 205);
constexpr Colour kUnpainted = rgb(1, 1, 1);

// Every pixel tells where in the image it came from.
Colour marked(int x, int y) { return rgb(x % 256, y % 256, 7); }

Image markedImage(int width, int height) {
    Image image = makeImage(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) setPixel(image, x, y, marked(x, y));
    }
    return image;
}

Image paint(int width, int height, const BackgroundOptions& options) {
    Image canvas = filledImage(width, height, kUnpainted);
    paintBackground(canvas.view(), options);
    return canvas;
}

BackgroundOptions withImage(const Image& image, int mode) { return {kFill, 1, mode, &image}; }

// The canvas pixel (x, y) shows image pixel (x - left, y - top), or the fill outside it.
void expectImageAt(Image& canvas, int left, int top, int imageWidth, int imageHeight) {
    for (int y = 0; y < canvas.height; ++y) {
        for (int x = 0; x < canvas.width; ++x) {
            const bool inside = x >= left && x < left + imageWidth && y >= top && y < top + imageHeight;
            ASSERT_EQ(pixelAt(canvas, x, y), inside ? marked(x - left, y - top) : kFill) << x << "," << y;
        }
    }
}

TEST(PaintBackground, OnlyTheFillWithoutAnImageToShow) {
    const Image image = markedImage(10, 10);
    for (const BackgroundOptions options :
         {BackgroundOptions{kFill, 0, 0, &image}, BackgroundOptions{kFill, 1, 0, nullptr},
          BackgroundOptions{kFill, 1, 3, &image}, BackgroundOptions{kFill, 1, -1, &image}}) {
        Image canvas = paint(25, 12, options);
        EXPECT_EQ(maskOf(canvas, kFill), std::vector<std::string>(12, std::string(25, '#')));
    }
}

TEST(PaintBackground, CentredHalvesEachSizeOnItsOwn) {
    struct Case { int w, h, iw, ih, left, top; };
    for (const Case c : {Case{225, 42, 100, 100, 62, -29}, Case{4, 6, 3, 1, 1, 3}, Case{225, 42, 3, 5, 111, 19},
                         Case{10, 10, 30, 2, -10, 4}}) {
        SCOPED_TRACE(::testing::Message() << c.iw << "x" << c.ih << " on " << c.w << "x" << c.h);
        const Image image = markedImage(c.iw, c.ih);
        Image canvas = paint(c.w, c.h, withImage(image, 0));
        expectImageAt(canvas, c.left, c.top, c.iw, c.ih);
    }
}

TEST(PaintBackground, TilesCoverTheCanvasFromTheTopLeft) {
    struct Case { int iw, ih; };
    for (const Case c : {Case{100, 100}, Case{75, 42}, Case{225, 42}, Case{1, 1}, Case{300, 7}}) {
        SCOPED_TRACE(::testing::Message() << c.iw << "x" << c.ih);
        const Image image = markedImage(c.iw, c.ih);
        Image canvas = paint(225, 42, withImage(image, 2));
        for (int y = 0; y < 42; ++y) {
            for (int x = 0; x < 225; ++x) ASSERT_EQ(pixelAt(canvas, x, y), marked(x % c.iw, y % c.ih)) << x << "," << y;
        }
    }
}

TEST(PaintBackground, StretchedFillsTheCanvas) {
    const Image flat = filledImage(300, 20, rgb(10, 120, 240));
    Image canvas = paint(225, 42, withImage(flat, 1));
    EXPECT_EQ(maskOf(canvas, rgb(10, 120, 240)), std::vector<std::string>(42, std::string(225, '#')));

    const Image exact = markedImage(225, 42);
    Image copied = paint(225, 42, withImage(exact, 1));
    expectImageAt(copied, 0, 0, 225, 42);

    Image empty = makeImage(0, 0);
    paintBackground(empty.view(), withImage(flat, 1));  // nothing to draw on, nothing drawn
}

// What stretching on every paint gives: the fill, then the picture scaled over it.
Image stretchedOverFill(int width, int height, const Image& picture) {
    Image canvas = filledImage(width, height, kFill);
    const DrawMode mode = picture.blendByAlpha ? DrawMode::Blend : DrawMode::Opaque;
    stretchImage(canvas.view(), picture, {0, 0, width, height}, mode);
    return canvas;
}

TEST(PaintBackground, KeptStretchedPictureHasThePixelsOfScalingEveryTime) {
    Image translucent = makeImage(9, 4, 4);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 9; ++x) setPixel(translucent, x, y, marked(x * 20, y * 50), x * 30);
    }
    Image icon = translucent;
    icon.blendByAlpha = true;
    const Image pictures[] = {markedImage(300, 20), markedImage(5, 7), translucent, icon};
    const Size sizes[] = {{225, 42}, {42, 225}, {3, 1}};
    for (const Image& picture : pictures) {
        StretchedPicture stretched;
        BackgroundOptions options = withImage(picture, 1);
        options.stretched = &stretched;
        for (const Size size : sizes) {
            SCOPED_TRACE(::testing::Message() << picture.width << "x" << picture.height
                                              << (picture.blendByAlpha ? " icon" : "") << " on " << size.width << "x"
                                              << size.height);
            const Image expected = stretchedOverFill(size.width, size.height, picture);
            EXPECT_EQ(paint(size.width, size.height, options).pixels, expected.pixels);
            EXPECT_EQ(paint(size.width, size.height, options).pixels, expected.pixels);  // the kept one
        }
    }
}

TEST(PaintBackground, StretchedPictureIsScaledAgainOnlyWhenSomethingChanged) {
    constexpr Colour kRed = rgb(200, 0, 0), kBlue = rgb(0, 0, 200), kGreen = rgb(0, 200, 0);
    Image picture = filledImage(40, 10, kRed);
    StretchedPicture stretched;
    BackgroundOptions options = withImage(picture, 1);
    options.stretched = &stretched;
    const auto shows = [&](int width, Colour colour) {
        Image canvas = paint(width, 5, options);
        return maskOf(canvas, colour) == std::vector<std::string>(5, std::string(width, '#'));
    };
    EXPECT_TRUE(shows(20, kRed));

    // The picture changes behind the kept result's back: the same size shows what was
    // scaled before, so nothing was scaled again.
    picture = filledImage(40, 10, kBlue);
    EXPECT_TRUE(shows(20, kRed));
    EXPECT_TRUE(shows(21, kBlue));  // another size

    picture = filledImage(40, 10, kGreen);
    options.colour = rgb(1, 2, 3);  // another fill
    EXPECT_TRUE(shows(21, kGreen));

    picture = filledImage(40, 10, kRed);
    stretched.forget();  // another picture in the same object
    EXPECT_TRUE(shows(21, kRed));

    const Image other = filledImage(40, 10, kBlue);
    options.image = &other;
    EXPECT_TRUE(shows(21, kBlue));
}

TEST(PaintBackground, IconImagesBlendOthersIgnoreAlpha) {
    Image image = makeImage(2, 1, 4);
    setPixel(image, 0, 0, rgb(200, 0, 0), 0);
    setPixel(image, 1, 0, rgb(0, 200, 0), 255);

    Image copied = paint(2, 1, withImage(image, 0));
    EXPECT_EQ(pixelAt(copied, 0, 0), rgb(200, 0, 0));  // a PNG's transparent area shows its stored colour
    EXPECT_EQ(pixelAt(copied, 1, 0), rgb(0, 200, 0));

    image.blendByAlpha = true;
    for (const int mode : {0, 1, 2}) {
        Image blended = paint(2, 1, withImage(image, mode));
        EXPECT_EQ(pixelAt(blended, 0, 0), kFill) << "mode " << mode;
        EXPECT_EQ(pixelAt(blended, 1, 0), rgb(0, 200, 0)) << "mode " << mode;
    }
}

}  // namespace
}  // namespace kivolt
