#pragma once
// Pixel images and non-owning views of pixel memory. Rows run top-down; pixels are
// B, G, R (and A for 32-bit) in memory, as in a Windows DIB section.

#include <cstdint>
#include <vector>

namespace kivolt {

// A view of pixels someone else owns (a DIB section's bits, an Image's buffer).
struct PixelView {
    std::uint8_t* bits = nullptr;
    int width = 0;
    int height = 0;
    int stride = 0;         // bytes from one row to the next
    int bytesPerPixel = 3;  // 3 (BGR) or 4 (BGRA)

    std::uint8_t* pixel(int x, int y) const { return bits + y * stride + x * bytesPerPixel; }
};

// An owned image, 24 or 32 bits per pixel, rows padded to 4 bytes like a DIB.
struct Image {
    int width = 0;
    int height = 0;
    int bytesPerPixel = 4;
    // Decoded from an icon file: drawn blended by its own alpha, not copied opaquely.
    bool blendByAlpha = false;
    std::vector<std::uint8_t> pixels;

    static int strideFor(int width, int bytesPerPixel) { return (width * bytesPerPixel + 3) & ~3; }
    int stride() const { return strideFor(width, bytesPerPixel); }
    PixelView view() { return {pixels.data(), width, height, stride(), bytesPerPixel}; }
};

}  // namespace kivolt
