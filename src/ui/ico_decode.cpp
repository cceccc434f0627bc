#include "ui/byte_reader.h"
#include "ui/dib_decode.h"
#include "ui/icon_pixels.h"
#include "ui/image_decode.h"
#include "ui/png_decode.h"

namespace kivolt {
namespace {

constexpr std::size_t kDirectoryHeaderSize = 6;
// An entry's width or height byte 0 stands for this.
constexpr int kLargestIconSize = 256;

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
    if ((format->bitCount < 32 || !hasAlpha(*image)) && !applyAndMask(*format, dib, *image))
        return std::nullopt;
    return image;
}

// The number of entries of an icon directory, 0 when the data is none or cut short.
std::size_t directoryCount(std::span<const std::uint8_t> data, std::size_t entrySize) {
    if (!hasBytes(data, 0, kDirectoryHeaderSize)) return 0;
    const std::uint8_t* p = data.data();
    if (le16(p) != 0 || le16(p + 2) != 1) return 0;
    const std::size_t count = le16(p + 4);
    return hasBytes(data, kDirectoryHeaderSize, count * entrySize) ? count : 0;
}

// Among the icon file's entries with these width and height bytes, the first one with the
// most bits per pixel; null when there is none.
const std::uint8_t* mostBitsOfSize(std::span<const std::uint8_t> iconFile, std::size_t count, std::uint8_t width,
                                   std::uint8_t height) {
    const std::uint8_t* chosen = nullptr;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* entry = iconFile.data() + kDirectoryHeaderSize + i * kIconFileEntrySize;
        const bool sameSize = entry[0] == width && entry[1] == height;
        if (sameSize && (!chosen || le16(entry + 6) > le16(chosen + 6))) chosen = entry;
    }
    return chosen;
}

// Where the entry's image lies and how large its own header says it is.
std::optional<IconEntry> describeEntry(std::span<const std::uint8_t> iconFile, const std::uint8_t* entry) {
    IconEntry result;
    result.size = le32(entry + 8);
    result.offset = le32(entry + 12);
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

}  // namespace

std::optional<IconEntry> chooseIconEntry(std::span<const std::uint8_t> iconFile) {
    const std::size_t count = directoryCount(iconFile, kIconFileEntrySize);
    if (count == 0) return std::nullopt;
    const std::uint8_t* first = iconFile.data() + kDirectoryHeaderSize;
    return describeEntry(iconFile, mostBitsOfSize(iconFile, count, first[0], first[1]));
}

std::optional<IconEntry> chooseIconEntry(std::span<const std::uint8_t> iconFile, int size) {
    if (size < 1 || size > kLargestIconSize) return std::nullopt;
    const std::uint8_t sizeByte = static_cast<std::uint8_t>(size % kLargestIconSize);
    const std::size_t count = directoryCount(iconFile, kIconFileEntrySize);
    const std::uint8_t* chosen = mostBitsOfSize(iconFile, count, sizeByte, sizeByte);
    if (!chosen) return std::nullopt;
    return describeEntry(iconFile, chosen);
}

std::vector<int> iconDirectorySizes(std::span<const std::uint8_t> directory, std::size_t entrySize) {
    std::vector<int> sizes;
    const std::size_t count = directoryCount(directory, entrySize);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* entry = directory.data() + kDirectoryHeaderSize + i * entrySize;
        if (entry[0] == entry[1]) sizes.push_back(entry[0] == 0 ? kLargestIconSize : entry[0]);
    }
    return sizes;
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
