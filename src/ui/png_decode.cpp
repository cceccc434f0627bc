#include "ui/png_decode.h"

#include <png.h>

#include <csetjmp>
#include <cstring>

#include "ui/image_decode.h"
#include "ui/image_limits.h"

namespace kivolt {
namespace {

constexpr std::uint64_t kMaxDeflateRatio = 1032;
constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

std::uint32_t be32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) << 24 | static_cast<std::uint32_t>(p[1]) << 16 |
           static_cast<std::uint32_t>(p[2]) << 8 | p[3];
}

// libpng reports errors by longjmp back into PngDecoder::run; nothing is printed.
[[noreturn]] void onError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void onWarning(png_structp, png_const_charp) {}

struct MemoryReader {
    std::span<const std::uint8_t> bytes;
    std::size_t position = 0;
};

void readFromMemory(png_structp png, png_bytep out, png_size_t length) {
    auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
    if (length > reader->bytes.size() - reader->position) png_error(png, "truncated");
    std::memcpy(out, reader->bytes.data() + reader->position, length);
    reader->position += length;
}

// Owns the libpng structures. run() holds the setjmp and no objects with destructors, so
// a longjmp out of libpng skips nothing; the image lives in a member.
class PngDecoder {
public:
    explicit PngDecoder(std::span<const std::uint8_t> bytes) : reader_{bytes} {}
    PngDecoder(const PngDecoder&) = delete;
    PngDecoder& operator=(const PngDecoder&) = delete;
    ~PngDecoder() { png_destroy_read_struct(&png_, &info_, nullptr); }

    bool run(PngAlpha alpha) {
        png_ = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, onError, onWarning);
        if (!png_) return false;
        info_ = png_create_info_struct(png_);
        if (!info_) return false;
        if (setjmp(png_jmpbuf(png_))) return false;

        png_set_read_fn(png_, &reader_, readFromMemory);
        // Not bounded by the sides: the memory bound below decides.
        png_set_user_limits(png_, PNG_UINT_31_MAX, PNG_UINT_31_MAX);
        png_read_info(png_, info_);
        png_uint_32 width = png_get_image_width(png_, info_);
        png_uint_32 height = png_get_image_height(png_, info_);
        // Truecolour stays 24-bit even with a transparent colour (tRNS): the picture is
        // copied opaquely anyway.
        bool withAlpha = alpha == PngAlpha::Always || png_get_color_type(png_, info_) != PNG_COLOR_TYPE_RGB;
        int bytesPerPixel = withAlpha ? 4 : 3;
        if (!withinImageLimits(width, height, bytesPerPixel)) return false;
        // Deflate packs at most 1032 bytes into one, so a header claiming more rows than the
        // file could hold is a lie; refusing it here saves the allocation.
        std::uint64_t storedBytes = (std::uint64_t{png_get_rowbytes(png_, info_)} + 1) * height;
        if (storedBytes / kMaxDeflateRatio > reader_.bytes.size()) return false;

        png_set_strip_16(png_);
        png_set_packing(png_);
        if (withAlpha) {
            png_set_expand(png_);  // palette to RGB, gray below 8 bits to 8, tRNS to alpha
            png_set_add_alpha(png_, 0xFF, PNG_FILLER_AFTER);
        }
        png_set_gray_to_rgb(png_);
        png_set_bgr(png_);
        const int passes = png_set_interlace_handling(png_);
        png_read_update_info(png_, info_);

        if (png_get_rowbytes(png_, info_) != std::size_t{width} * bytesPerPixel) return false;
        image_ = blankImage(width, height, bytesPerPixel);
        if (!image_) return false;
        // Row by row into the image, each pass of an interlaced file over the whole of it.
        for (int pass = 0; pass < passes; ++pass) {
            for (png_uint_32 y = 0; y < height; ++y)
                png_read_row(png_, image_->pixels.data() + static_cast<std::size_t>(image_->stride()) * y, nullptr);
        }
        png_read_end(png_, nullptr);
        return true;
    }

    std::optional<Image> takeImage() { return std::move(image_); }

private:
    MemoryReader reader_;
    png_structp png_ = nullptr;
    png_infop info_ = nullptr;
    std::optional<Image> image_;
};

}  // namespace

bool hasPngSignature(std::span<const std::uint8_t> bytes) {
    return bytes.size() >= sizeof kSignature && std::memcmp(bytes.data(), kSignature, sizeof kSignature) == 0;
}

std::optional<PngSize> readPngSize(std::span<const std::uint8_t> bytes) {
    // Signature, then the IHDR chunk: length, type, width, height (big-endian).
    if (!hasPngSignature(bytes) || bytes.size() < 24 || std::memcmp(bytes.data() + 12, "IHDR", 4) != 0)
        return std::nullopt;
    std::uint32_t width = be32(bytes.data() + 16);
    std::uint32_t height = be32(bytes.data() + 20);
    if (!withinImageLimits(width, height, 4)) return std::nullopt;
    return PngSize{static_cast<int>(width), static_cast<int>(height)};
}

std::optional<Image> decodePngWith(std::span<const std::uint8_t> bytes, PngAlpha alpha) {
    if (!hasPngSignature(bytes)) return std::nullopt;
    PngDecoder decoder(bytes);
    if (!decoder.run(alpha)) return std::nullopt;
    return decoder.takeImage();
}

std::optional<Image> decodePng(std::span<const std::uint8_t> bytes) {
    return decodePngWith(bytes, PngAlpha::OnlyWhenStored);
}

}  // namespace kivolt
