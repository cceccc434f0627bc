#pragma once
// Image files built in memory for the tests: bitmaps from their parts, JPEGs by libjpeg.

// jpeglib.h needs size_t and FILE declared before it.
#include <cstddef>
#include <cstdio>

#include <jpeglib.h>

#include <cstdint>
#include <functional>
#include <vector>

namespace kivolt::testing {

using Bytes = std::vector<std::uint8_t>;

// Little-endian values appended to out.
void put16(Bytes& out, unsigned v);
void put32(Bytes& out, std::uint32_t v);

// A BITMAPINFOHEADER-style header of headerSize bytes (12 = core header), with masks
// inside it (V4/V5) or after it (40 bytes).
Bytes dibHeader(std::uint32_t headerSize, int width, int height, int bits, std::uint32_t compression,
                std::uint32_t coloursUsed, const std::vector<std::uint32_t>& masks);

struct BmpParts {
    Bytes header;   // the DIB header with any masks after it
    Bytes palette;  // 4 bytes per entry (3 with the core header)
    Bytes pixels;
};

// A bitmap file: the file header, then the parts.
Bytes bmpFile(const BmpParts& parts);

struct JpegRecipe {
    int width, height, components;
    J_COLOR_SPACE space;
    std::function<std::vector<int>(int, int)> sample;  // the components of pixel x, y
    bool progressive = false;
};

// The picture compressed at quality 95.
Bytes writeJpeg(const JpegRecipe& recipe);

}  // namespace kivolt::testing
