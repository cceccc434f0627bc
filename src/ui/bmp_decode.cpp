#include "ui/byte_reader.h"
#include "ui/dib_decode.h"
#include "ui/image_decode.h"

namespace kivolt {
namespace {

constexpr std::size_t kFileHeaderSize = 14;

// A 32-bit bitmap written without alpha (the usual case) would be wholly transparent.
void opaqueIfNoAlpha(Image& image) {
    for (int y = 0; y < image.height; ++y) {
        const std::uint8_t* row = image.pixels.data() + static_cast<std::size_t>(image.stride()) * y;
        for (int x = 0; x < image.width; ++x)
            if (row[4 * x + 3] != 0) return;
    }
    for (int y = 0; y < image.height; ++y) {
        std::uint8_t* row = image.pixels.data() + static_cast<std::size_t>(image.stride()) * y;
        for (int x = 0; x < image.width; ++x) row[4 * x + 3] = 255;
    }
}

}  // namespace

std::optional<Image> decodeBmp(std::span<const std::uint8_t> bytes) {
    if (!hasBytes(bytes, 0, kFileHeaderSize) || bytes[0] != 'B' || bytes[1] != 'M') return std::nullopt;
    std::uint32_t pixelOffset = le32(bytes.data() + 10);
    auto format = readDibFormat(bytes.subspan(kFileHeaderSize), 1);
    if (!format || pixelOffset > bytes.size()) return std::nullopt;

    int bytesPerPixel = format->bitCount == 32 ? 4 : 3;
    auto image = unpackDibPixels(*format, bytes.subspan(pixelOffset), bytesPerPixel);
    if (image && bytesPerPixel == 4) opaqueIfNoAlpha(*image);
    return image;
}

}  // namespace kivolt
