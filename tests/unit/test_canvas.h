#pragma once
// Small canvases for pixel checks: 24-bit like the DIB sections the painters draw into.

#include <cstdint>
#include <string>
#include <vector>

#include "base/types.h"
#include "ui/image.h"

namespace kivolt::testing {

inline Image makeImage(int width, int height, int bytesPerPixel = 3) {
    Image image;
    image.width = width;
    image.height = height;
    image.bytesPerPixel = bytesPerPixel;
    image.pixels.assign(static_cast<std::size_t>(image.stride()) * height, 0);
    return image;
}

inline void setPixel(Image& image, int x, int y, Colour colour, int alpha = 255) {
    std::uint8_t* p = image.view().pixel(x, y);
    p[0] = static_cast<std::uint8_t>(blueOf(colour));
    p[1] = static_cast<std::uint8_t>(greenOf(colour));
    p[2] = static_cast<std::uint8_t>(redOf(colour));
    if (image.bytesPerPixel == 4) p[3] = static_cast<std::uint8_t>(alpha);
}

inline Image filledImage(int width, int height, Colour colour, int bytesPerPixel = 3, int alpha = 255) {
    Image image = makeImage(width, height, bytesPerPixel);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) setPixel(image, x, y, colour, alpha);
    }
    return image;
}

inline Colour pixelAt(Image& image, int x, int y) {
    const std::uint8_t* p = image.view().pixel(x, y);
    return rgb(p[2], p[1], p[0]);
}

// One string per row: '#' where the pixel has the colour, '.' elsewhere.
inline std::vector<std::string> maskOf(Image& image, Colour colour) {
    std::vector<std::string> rows;
    for (int y = 0; y < image.height; ++y) {
        std::string row;
        for (int x = 0; x < image.width; ++x) row += pixelAt(image, x, y) == colour ? '#' : '.';
        rows.push_back(row);
    }
    return rows;
}

}  // namespace kivolt::testing
