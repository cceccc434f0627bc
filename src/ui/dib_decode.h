#pragma once
// The device-independent bitmap layout shared by bitmap files and icon images: a
// BITMAPINFOHEADER (or its V4/V5 extensions, or the old 12-byte core header), optional
// colour masks, a palette and rows of pixels padded to 4 bytes, or run-length encoded.

#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "ui/image.h"

namespace kivolt {

struct DibFormat {
    int width = 0;
    int height = 0;  // rows of pixels, already divided by the caller's heightDivisor
    bool topDown = false;
    int bitCount = 0;
    bool runLength = false;  // BI_RLE8 at 8 bits, BI_RLE4 at 4: always bottom-up
    bool hasMasks = false;
    std::array<std::uint32_t, 4> masks{};  // red, green, blue, alpha
    std::span<const std::uint8_t> palette;
    int paletteEntrySize = 4;  // 3 for the core header
    std::size_t headerEnd = 0;  // offset just past header, masks and palette
};

// Reads the header at the start of dib. Icon images store twice their height in the
// header (colour rows, then the AND mask), so they pass a heightDivisor of 2.
std::optional<DibFormat> readDibFormat(std::span<const std::uint8_t> dib, int heightDivisor);

// Bytes per stored row, padded to 4.
std::uint64_t dibRowBytes(int width, int bitCount);

// The pixel rows in data as a top-down image of 3 or 4 bytes per pixel; pixels without
// alpha of their own get 255. Nothing when data is too short for uncompressed rows;
// run-length data shows what it holds (see expandRunLength).
std::optional<Image> unpackDibPixels(const DibFormat& format, std::span<const std::uint8_t> data,
                                     int bytesPerPixel);

}  // namespace kivolt
