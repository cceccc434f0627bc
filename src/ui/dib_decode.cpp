#include "ui/dib_decode.h"

#include <bit>

#include "ui/byte_reader.h"
#include "ui/dib_run_length.h"
#include "ui/image_limits.h"

namespace kivolt {
namespace {

constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiRle8 = 1;
constexpr std::uint32_t kBiRle4 = 2;
constexpr std::uint32_t kBiBitfields = 3;
constexpr std::uint32_t kBiAlphaBitfields = 6;

bool validBitCount(int bits) {
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// One channel through its mask, scaled to 0..255 and rounded.
std::uint8_t maskedChannel(std::uint32_t pixel, std::uint32_t mask) {
    if (mask == 0) return 0;
    int shift = std::countr_zero(mask);
    std::uint64_t max = mask >> shift;
    std::uint64_t value = (pixel & mask) >> shift;
    return static_cast<std::uint8_t>((value * 255 + max / 2) / max);
}

struct Bgra {
    std::uint8_t b, g, r, a;
};

Bgra paletteColour(const DibFormat& format, unsigned index) {
    std::size_t offset = std::size_t{index} * format.paletteEntrySize;
    if (offset + 3 > format.palette.size()) return {0, 0, 0, 255};
    const std::uint8_t* p = format.palette.data() + offset;
    return {p[0], p[1], p[2], 255};
}

Bgra pixelAt(const DibFormat& format, const std::uint8_t* row, int x) {
    switch (format.bitCount) {
        case 1: return paletteColour(format, (row[x / 8] >> (7 - x % 8)) & 1);
        case 4: return paletteColour(format, (row[x / 2] >> (x % 2 ? 0 : 4)) & 0xF);
        case 8: return paletteColour(format, row[x]);
        case 16: {
            std::uint32_t v = le16(row + 2 * x);
            return {maskedChannel(v, format.masks[2]), maskedChannel(v, format.masks[1]),
                    maskedChannel(v, format.masks[0]),
                    format.masks[3] ? maskedChannel(v, format.masks[3]) : std::uint8_t{255}};
        }
        case 24: return {row[3 * x], row[3 * x + 1], row[3 * x + 2], 255};
        default: {
            const std::uint8_t* p = row + 4 * x;
            if (!format.hasMasks) return {p[0], p[1], p[2], p[3]};
            std::uint32_t v = le32(p);
            return {maskedChannel(v, format.masks[2]), maskedChannel(v, format.masks[1]),
                    maskedChannel(v, format.masks[0]),
                    format.masks[3] ? maskedChannel(v, format.masks[3]) : std::uint8_t{255}};
        }
    }
}

// One stored row, converted into row y of the image.
void writeRow(const DibFormat& format, const std::uint8_t* row, Image& image, int y) {
    std::uint8_t* out = image.pixels.data() + static_cast<std::size_t>(image.stride()) * y;
    for (int x = 0; x < format.width; ++x, out += image.bytesPerPixel) {
        Bgra c = pixelAt(format, row, x);
        out[0] = c.b;
        out[1] = c.g;
        out[2] = c.r;
        if (image.bytesPerPixel == 4) out[3] = c.a;
    }
}

std::optional<Image> unpackRunLength(const DibFormat& format, std::span<const std::uint8_t> data,
                                     int bytesPerPixel) {
    auto result = blankImage(format.width, format.height, bytesPerPixel);
    if (!result) return std::nullopt;
    // The expanded rows hold one index a byte, read through the same palette as 8-bit rows.
    DibFormat expanded = format;
    expanded.bitCount = 8;
    expandRunLength(data, format.width, format.height, format.bitCount,
                    [&](int storedRow, const std::uint8_t* indexes) {
                        writeRow(expanded, indexes, *result, format.height - 1 - storedRow);
                    });
    return result;
}

}  // namespace

std::uint64_t dibRowBytes(int width, int bitCount) {
    return (static_cast<std::uint64_t>(width) * bitCount + 31) / 32 * 4;
}

std::optional<DibFormat> readDibFormat(std::span<const std::uint8_t> dib, int heightDivisor) {
    if (!hasBytes(dib, 0, 4)) return std::nullopt;
    std::uint32_t headerSize = le32(dib.data());
    if (headerSize != kCoreHeaderSize && headerSize < kInfoHeaderSize) return std::nullopt;
    if (!hasBytes(dib, 0, headerSize)) return std::nullopt;
    const std::uint8_t* h = dib.data();

    DibFormat format;
    std::int64_t width = 0;
    std::int64_t height = 0;
    std::uint32_t compression = kBiRgb;
    std::uint32_t coloursUsed = 0;
    if (headerSize == kCoreHeaderSize) {
        width = le16(h + 4);
        height = le16(h + 6);
        format.bitCount = le16(h + 10);
        format.paletteEntrySize = 3;
    } else {
        width = les32(h + 4);
        height = les32(h + 8);
        format.bitCount = le16(h + 14);
        compression = le32(h + 16);
        coloursUsed = le32(h + 32);
    }
    if (height < 0) {
        format.topDown = true;
        height = -height;
    }
    height /= heightDivisor;
    // The output has at least 3 bytes a pixel; the exact bound is checked when it is made.
    if (!validBitCount(format.bitCount) || !withinImageLimits(width, height, 3)) return std::nullopt;
    format.width = static_cast<int>(width);
    format.height = static_cast<int>(height);

    std::uint64_t end = headerSize;
    if (compression == kBiBitfields || compression == kBiAlphaBitfields) {
        if (format.bitCount != 16 && format.bitCount != 32) return std::nullopt;
        // V2 and later headers hold the masks; a plain info header is followed by them.
        int maskCount = compression == kBiAlphaBitfields ? 4 : 3;
        std::uint64_t masksAt = kInfoHeaderSize;
        if (headerSize == kInfoHeaderSize) end += 4 * maskCount;
        if (headerSize >= kInfoHeaderSize + 16) maskCount = 4;
        if (!hasBytes(dib, masksAt, 4 * maskCount)) return std::nullopt;
        for (int i = 0; i < maskCount; ++i) format.masks[i] = le32(h + masksAt + 4 * i);
        format.hasMasks = true;
    } else if ((compression == kBiRle8 && format.bitCount == 8) || (compression == kBiRle4 && format.bitCount == 4)) {
        if (format.topDown) return std::nullopt;  // Windows stores run-length bitmaps bottom-up only
        format.runLength = true;
    } else if (compression != kBiRgb) {
        return std::nullopt;  // JPEG and PNG bitmaps are not supported
    } else if (format.bitCount == 16) {
        format.masks = {0x7C00, 0x03E0, 0x001F, 0};
    }

    if (format.bitCount <= 8) {
        std::uint64_t maxColours = std::uint64_t{1} << format.bitCount;
        std::uint64_t colours = coloursUsed == 0 || coloursUsed > maxColours ? maxColours : coloursUsed;
        std::uint64_t paletteBytes = colours * format.paletteEntrySize;
        if (!hasBytes(dib, end, paletteBytes)) return std::nullopt;
        format.palette = dib.subspan(end, paletteBytes);
        end += paletteBytes;
    }
    format.headerEnd = end;
    return format;
}

std::optional<Image> unpackDibPixels(const DibFormat& format, std::span<const std::uint8_t> data,
                                     int bytesPerPixel) {
    if (format.runLength) return unpackRunLength(format, data, bytesPerPixel);
    // Checked before allocating, so a header that lies about its size costs nothing.
    std::uint64_t rowBytes = dibRowBytes(format.width, format.bitCount);
    if (!hasBytes(data, 0, rowBytes * format.height)) return std::nullopt;
    auto result = blankImage(format.width, format.height, bytesPerPixel);
    if (!result) return std::nullopt;
    Image& image = *result;
    for (int y = 0; y < format.height; ++y) {
        int sourceRow = format.topDown ? y : format.height - 1 - y;
        writeRow(format, data.data() + rowBytes * sourceRow, image, y);
    }
    return result;
}

}  // namespace kivolt
