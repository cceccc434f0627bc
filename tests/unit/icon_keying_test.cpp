#include "ui/icon_keying.h"

#include <gtest/gtest.h>

#include <array>

namespace kivolt {
namespace {

using Pixel = std::array<std::uint8_t, 4>;  // B, G, R, A

Image imageOf(int width, int height, int bytesPerPixel, std::uint8_t fill) {
    Image image;
    image.width = width;
    image.height = height;
    image.bytesPerPixel = bytesPerPixel;
    image.pixels.assign(static_cast<std::size_t>(image.stride()) * height, fill);
    return image;
}

Pixel pixelAt(Image& image, int x, int y) {
    std::uint8_t* p = image.view().pixel(x, y);
    return {p[0], p[1], p[2], p[3]};
}

void setPixel(Image& image, int x, int y, Pixel value) {
    std::uint8_t* p = image.view().pixel(x, y);
    for (int i = 0; i < 4; ++i) p[i] = value[i];
}

constexpr Pixel kKeyed = {255, 0, 255, 255};

TEST(IconKeyingTest, SoftPixelsBecomeKeyColourOthersStay) {
    Image image = imageOf(3, 2, 4, 0);
    const Pixel hard200 = {10, 20, 30, 200};
    const Pixel hard255 = {40, 50, 60, 255};
    const Pixel keyLike = {255, 0, 255, 255};
    setPixel(image, 0, 0, {10, 20, 30, 199});
    setPixel(image, 1, 0, hard200);
    setPixel(image, 2, 0, hard255);
    setPixel(image, 0, 1, keyLike);
    setPixel(image, 1, 1, {1, 2, 3, 0});
    setPixel(image, 2, 1, {7, 8, 9, 100});

    keyOutSoftPixels(image);

    EXPECT_EQ(pixelAt(image, 0, 0), kKeyed);
    EXPECT_EQ(pixelAt(image, 1, 0), hard200);
    EXPECT_EQ(pixelAt(image, 2, 0), hard255);
    EXPECT_EQ(pixelAt(image, 0, 1), keyLike);
    EXPECT_EQ(pixelAt(image, 1, 1), kKeyed);
    EXPECT_EQ(pixelAt(image, 2, 1), kKeyed);
}

TEST(IconKeyingTest, FullyTransparentImageBecomesSolidKeyColour) {
    Image image = imageOf(5, 4, 4, 0);
    keyOutSoftPixels(image);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x) EXPECT_EQ(pixelAt(image, x, y), kKeyed) << x << "," << y;
}

TEST(IconKeyingTest, LeavesImagesItCannotKeyUntouched) {
    Image rgb24 = imageOf(3, 3, 3, 0);
    const auto before24 = rgb24.pixels;
    keyOutSoftPixels(rgb24);
    EXPECT_EQ(rgb24.pixels, before24);

    Image empty;
    keyOutSoftPixels(empty);
    EXPECT_TRUE(empty.pixels.empty());

    Image truncated = imageOf(4, 4, 4, 0);
    truncated.pixels.resize(truncated.pixels.size() - 1);
    const auto beforeTruncated = truncated.pixels;
    keyOutSoftPixels(truncated);
    EXPECT_EQ(truncated.pixels, beforeTruncated);
}

}  // namespace
}  // namespace kivolt
