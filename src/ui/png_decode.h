#pragma once
// PNG decoding options shared by PNG files and the PNG images inside icon files.

#include <cstdint>
#include <optional>
#include <span>

#include "ui/image.h"

namespace kivolt {

bool hasPngSignature(std::span<const std::uint8_t> bytes);

// Width and height from the header chunk, without decoding.
struct PngSize {
    int width = 0;
    int height = 0;
};
std::optional<PngSize> readPngSize(std::span<const std::uint8_t> bytes);

enum class PngAlpha {
    OnlyWhenStored,  // truecolour gives 24 bits, transparent colour (tRNS) or not
    Always,          // always 32 bits (icon images)
};
std::optional<Image> decodePngWith(std::span<const std::uint8_t> bytes, PngAlpha alpha);

}  // namespace kivolt
