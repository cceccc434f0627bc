#pragma once
// Small value types of the portable core; conversions to RECT/POINT live in _win files.

#include <cstdint>

namespace kivolt {

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    int width = 0;
    int height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

// Covers the pixels x .. x + w - 1 and y .. y + h - 1.
struct Rect {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
    int right() const { return x + w; }   // one past the last column
    int bottom() const { return y + h; }  // one past the last row
    friend bool operator==(const Rect&, const Rect&) = default;
};

// A Windows COLORREF: 0x00BBGGRR.
using Colour = std::uint32_t;

constexpr Colour rgb(int r, int g, int b) {
    return static_cast<Colour>(r) | static_cast<Colour>(g) << 8 | static_cast<Colour>(b) << 16;
}
constexpr int redOf(Colour c) { return c & 0xFF; }
constexpr int greenOf(Colour c) { return (c >> 8) & 0xFF; }
constexpr int blueOf(Colour c) { return (c >> 16) & 0xFF; }

}  // namespace kivolt
