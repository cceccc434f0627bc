#pragma once
// The memory bound shared by the image decoders. A picture of any shape is accepted while
// its pixels fit the bound, so a camera photo shows, and a header that lies about its size
// never leads to a huge allocation.

#include <cstdint>
#include <optional>

#include "ui/image.h"

namespace kivolt {

// 256 MiB: a 60-megapixel photo (9504 x 6336) takes 172 MiB at 3 bytes a pixel, 230 MiB at
// 4. The 32-bit program's 2 GiB of address space still holds the file being decoded and
// the decoder's own buffers beside it.
inline constexpr std::int64_t kMaxImageBytes = std::int64_t{256} << 20;

// True when a width x height image of bytesPerPixel, rows padded like a DIB, fits the bound.
inline bool withinImageLimits(std::int64_t width, std::int64_t height, int bytesPerPixel) {
    if (width <= 0 || height <= 0 || width > kMaxImageBytes || height > kMaxImageBytes) return false;
    const std::int64_t stride = (width * bytesPerPixel + 3) & ~std::int64_t{3};
    return stride * height <= kMaxImageBytes;
}

// A zero-filled image, or nothing when the size is out of bounds.
inline std::optional<Image> blankImage(std::int64_t width, std::int64_t height, int bytesPerPixel) {
    if (!withinImageLimits(width, height, bytesPerPixel)) return std::nullopt;
    Image image;
    image.width = static_cast<int>(width);
    image.height = static_cast<int>(height);
    image.bytesPerPixel = bytesPerPixel;
    image.pixels.assign(static_cast<std::size_t>(image.stride()) * image.height, 0);
    return image;
}

}  // namespace kivolt
