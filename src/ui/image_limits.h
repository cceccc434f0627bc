#pragma once
// Size bounds shared by the image decoders, so a header that lies about its size never
// leads to a huge allocation.

#include <cstdint>
#include <optional>

#include "ui/image.h"

namespace kivolt {

inline constexpr std::int64_t kMaxImageSide = 16384;
// 32 Mi pixels: a 24-megapixel photo fits, and at 4 bytes a pixel the buffer stays at
// 128 MiB, which a 32-bit process can still get.
inline constexpr std::int64_t kMaxImagePixels = std::int64_t{32} << 20;

inline bool withinImageLimits(std::int64_t width, std::int64_t height) {
    return width > 0 && height > 0 && width <= kMaxImageSide && height <= kMaxImageSide &&
           width * height <= kMaxImagePixels;
}

// A zero-filled image, or nothing when the size is out of bounds.
inline std::optional<Image> blankImage(std::int64_t width, std::int64_t height, int bytesPerPixel) {
    if (!withinImageLimits(width, height)) return std::nullopt;
    Image image;
    image.width = static_cast<int>(width);
    image.height = static_cast<int>(height);
    image.bytesPerPixel = bytesPerPixel;
    image.pixels.assign(static_cast<std::size_t>(image.stride()) * image.height, 0);
    return image;
}

}  // namespace kivolt
