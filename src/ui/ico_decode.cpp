#include "ui/byte_reader.h"
#include "ui/dib_decode.h"
#include "ui/image_decode.h"
#include "ui/png_decode.h"

namespace kivolt {
namespace {

constexpr std::size_t kDirectoryHeaderSize = 6;
constexpr std::size_t kDirectoryEntrySize = 16;

bool allAlphaZero(const Image& image) {
    for (int y = 0; y < image.height; ++y) {
        const std::uint8_t* row = image.pixels.data() + static_cast<std::size_t>(image.stride()) * y;
        for (int x = 0; x < image.width; ++x)
            if (row[4 * x + 3] != 0) return false;
    }
    return true;
}

// The AND mask follows the colour rows: a set bit marks a transparent pixel.
bool applyAndMask(const DibFormat& format, std::span<const std::uint8_t> dib, Image& image) {
    std::uint64_t maskAt = format.headerEnd + dibRowBytes(format.width, format.bitCount) * format.height;
    std::uint64_t rowBytes = dibRowBytes(format.width, 1);
    if (!hasBytes(dib, maskAt, rowBytes * format.height)) return false;
    for (int y = 0; y < image.height; ++y) {
        int sourceRow = format.topDown ? y : format.height - 1 - y;
        const std::uint8_t* mask = dib.data() + maskAt + rowBytes * sourceRow;
        std::uint8_t* row = image.pixels.data() + static_cast<std::size_t>(image.stride()) * y;
        for (int x = 0; x < image.width; ++x)
            row[4 * x + 3] = (mask[x / 8] >> (7 - x % 8)) & 1 ? 0 : 255;
    }
    return true;
}

std::optional<Image> decodeIconDib(std::span<const std::uint8_t> dib) {
    auto format = readDibFormat(dib, 2);
    // Icon images are never run-length encoded: the mask must follow whole colour rows.
    if (!format || format->runLength) return std::nullopt;
    auto image = unpackDibPixels(*format, dib.subspan(format->headerEnd), 4);
    if (!image) return std::nullopt;
    // Below 32 bits the mask is the only transparency; at 32 bits it serves when the
    // alpha channel is empty, as it does for the system's own icon drawing.
    if ((format->bitCount < 32 || allAlphaZero(*image)) && !applyAndMask(*format, dib, *image))
        return std::nullopt;
    return image;
}

}  // namespace

std::optional<IconEntry> chooseIconEntry(std::span<const std::uint8_t> iconFile) {
    if (!hasBytes(iconFile, 0, kDirectoryHeaderSize)) return std::nullopt;
    const std::uint8_t* p = iconFile.data();
    if (le16(p) != 0 || le16(p + 2) != 1) return std::nullopt;
    std::size_t count = le16(p + 4);
    if (count == 0 || !hasBytes(iconFile, kDirectoryHeaderSize, count * kDirectoryEntrySize))
        return std::nullopt;

    const std::uint8_t* first = p + kDirectoryHeaderSize;
    const std::uint8_t* chosen = first;
    for (std::size_t i = 1; i < count; ++i) {
        const std::uint8_t* entry = first + i * kDirectoryEntrySize;
        bool sameSize = entry[0] == first[0] && entry[1] == first[1];
        if (sameSize && le16(entry + 6) > le16(chosen + 6)) chosen = entry;
    }

    IconEntry result;
    result.size = le32(chosen + 8);
    result.offset = le32(chosen + 12);
    if (!hasBytes(iconFile, result.offset, result.size)) return std::nullopt;
    auto data = iconFile.subspan(result.offset, result.size);
    if (hasPngSignature(data)) {
        auto size = readPngSize(data);
        if (!size) return std::nullopt;
        result.width = size->width;
        result.height = size->height;
    } else {
        auto format = readDibFormat(data, 2);
        if (!format) return std::nullopt;
        result.width = format->width;
        result.height = format->height;
    }
    return result;
}

std::optional<Image> decodeIconFile(std::span<const std::uint8_t> bytes) {
    auto entry = chooseIconEntry(bytes);
    if (!entry) return std::nullopt;
    auto data = bytes.subspan(entry->offset, entry->size);
    auto image = hasPngSignature(data) ? decodePngWith(data, PngAlpha::Always) : decodeIconDib(data);
    if (image) image->blendByAlpha = true;
    return image;
}

}  // namespace kivolt
