#include "ui/icon_pixels.h"

#include <algorithm>

namespace kivolt {
namespace {

bool isUsable32(const Image& image) {
    return image.bytesPerPixel == 4 && image.width > 0 && image.height > 0 &&
           image.pixels.size() / static_cast<std::size_t>(image.height) >= static_cast<std::size_t>(image.stride());
}

const std::uint8_t* pixelOf(const Image& image, int x, int y) {
    return image.pixels.data() + static_cast<std::size_t>(image.stride()) * y + static_cast<std::size_t>(x) * 4;
}

void makeTransparentBlack(std::uint8_t* p) { std::fill(p, p + 4, std::uint8_t{0}); }

}  // namespace

bool hasAlpha(const Image& image) {
    if (!isUsable32(image)) return false;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            if (pixelOf(image, x, y)[3] != 0) return true;
    return false;
}

void unpremultiply(Image& image) {
    if (!isUsable32(image)) return;
    PixelView view = image.view();
    for (int y = 0; y < view.height; ++y) {
        for (int x = 0; x < view.width; ++x) {
            std::uint8_t* p = view.pixel(x, y);
            const int alpha = p[3];
            if (alpha == 0) {
                makeTransparentBlack(p);
                continue;
            }
            for (int channel = 0; channel < 3; ++channel)
                p[channel] = static_cast<std::uint8_t>(std::min(255, (p[channel] * 255 + alpha / 2) / alpha));
        }
    }
}

void alphaFromMask(Image& image, const Image& mask) {
    if (!isUsable32(image) || !isUsable32(mask) || mask.width != image.width || mask.height != image.height) return;
    PixelView view = image.view();
    for (int y = 0; y < view.height; ++y) {
        for (int x = 0; x < view.width; ++x) {
            const std::uint8_t* m = pixelOf(mask, x, y);
            std::uint8_t* p = view.pixel(x, y);
            if (m[0] == 0 && m[1] == 0 && m[2] == 0) {
                p[3] = 255;
            } else {
                makeTransparentBlack(p);
            }
        }
    }
}

}  // namespace kivolt
