#include "ui/image_decode.h"

namespace kivolt {

std::optional<Image> decodeImage(std::span<const std::uint8_t> bytes) {
    if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') return decodeBmp(bytes);
    if (bytes.size() >= 4 && bytes[0] == 0 && bytes[1] == 0 && bytes[2] == 1 && bytes[3] == 0)
        return decodeIconFile(bytes);
    if (auto jpeg = decodeJpeg(bytes)) return jpeg;
    return decodePng(bytes);
}

}  // namespace kivolt
