// jpeglib.h needs size_t and FILE declared before it.
#include <cstddef>
#include <cstdio>

#include <jpeglib.h>

#include <climits>
#include <csetjmp>
#include <vector>

#include "ui/image_decode.h"
#include "ui/image_limits.h"

namespace kivolt {
namespace {

// Progressive files may hold any number of scans, each one a pass over the whole image;
// past this many the file is taken as hostile rather than decoded for minutes.
constexpr int kMaxScans = 500;

// libjpeg's own buffers. A progressive file keeps all its coefficients, 2 bytes a sample:
// for full-resolution colour twice the 3 bytes a pixel of the picture itself.
constexpr long kMaxDecoderMemory = static_cast<long>(2 * kMaxImageBytes);

struct ErrorManager {
    jpeg_error_mgr base;  // first, so libjpeg's err pointer is a pointer to this
    std::jmp_buf jump;
};

[[noreturn]] void fail(j_common_ptr cinfo) {
    std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
}

// Warnings are silent. Running out of data is one of them: libjpeg fills the rest of the
// picture grey, so a truncated file shows what it holds.
void ignoreMessage(j_common_ptr, int) {}

void onProgress(j_common_ptr cinfo) {
    if (reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > kMaxScans) fail(cinfo);
}

// Where a truncated file's last whole part ends. libjpeg takes a file that stops inside
// scan data as ending there, but refuses one that stops inside a table or scan header,
// as a progressive file may between its scans; cut back to that segment's start, the
// file shows what its earlier scans hold.
std::size_t wholePartsLength(std::span<const std::uint8_t> bytes) {
    constexpr std::uint8_t kEndOfImage = 0xD9;
    std::size_t at = 2;  // past the start-of-image marker
    while (at + 1 < bytes.size()) {
        const std::uint8_t marker = bytes[at + 1];
        // Scan data, stuffed and fill bytes, and the markers that have no length.
        const bool withoutLength = marker == 0x00 || marker == 0x01 || marker == 0xD8 || marker == 0xFF ||
                                   (marker >= 0xD0 && marker <= 0xD7);
        if (bytes[at] != 0xFF || withoutLength) {
            ++at;
        } else if (marker == kEndOfImage) {
            break;
        } else {
            if (at + 4 > bytes.size()) return at;
            const std::size_t end = at + 2 + (std::size_t{bytes[at + 2]} << 8 | bytes[at + 3]);
            if (end > bytes.size()) return at;
            at = end;
        }
    }
    return bytes.size();
}

// Adobe's CMYK JPEGs (the only common kind) store the ink values inverted.
std::uint8_t fromInk(int ink, int black, bool inverted) {
    return static_cast<std::uint8_t>(inverted ? ink * black / 255 : (255 - ink) * (255 - black) / 255);
}

// Owns the libjpeg structure. run() holds the setjmp and no objects with destructors, so
// a longjmp out of libjpeg skips nothing; the image and row buffer live in members.
class JpegDecoder {
public:
    JpegDecoder() {
        cinfo_.err = jpeg_std_error(&errors_.base);
        errors_.base.error_exit = fail;
        errors_.base.emit_message = ignoreMessage;
        progress_.progress_monitor = onProgress;
    }
    JpegDecoder(const JpegDecoder&) = delete;
    JpegDecoder& operator=(const JpegDecoder&) = delete;
    ~JpegDecoder() { jpeg_destroy_decompress(&cinfo_); }

    bool run(std::span<const std::uint8_t> bytes) {
        if (bytes.size() > ULONG_MAX) return false;
        if (setjmp(errors_.jump)) return false;
        jpeg_create_decompress(&cinfo_);
        cinfo_.progress = &progress_;
        cinfo_.mem->max_memory_to_use = kMaxDecoderMemory;
        jpeg_mem_src(&cinfo_, bytes.data(), static_cast<unsigned long>(bytes.size()));
        jpeg_read_header(&cinfo_, TRUE);

        bool cmyk = cinfo_.jpeg_color_space == JCS_CMYK || cinfo_.jpeg_color_space == JCS_YCCK;
        bool supported = cmyk || cinfo_.jpeg_color_space == JCS_GRAYSCALE ||
                         cinfo_.jpeg_color_space == JCS_YCbCr || cinfo_.jpeg_color_space == JCS_RGB;
        if (!supported) return false;
        cinfo_.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGR;
        if (!withinImageLimits(cinfo_.image_width, cinfo_.image_height, 3)) return false;

        jpeg_start_decompress(&cinfo_);
        if (cinfo_.output_width != cinfo_.image_width || cinfo_.output_height != cinfo_.image_height)
            return false;
        image_ = blankImage(cinfo_.output_width, cinfo_.output_height, 3);
        if (!image_) return false;
        if (cmyk) inkRow_.resize(std::size_t{cinfo_.output_width} * 4);
        while (cinfo_.output_scanline < cinfo_.output_height) {
            std::uint8_t* out = image_->pixels.data() + std::size_t{cinfo_.output_scanline} * image_->stride();
            JSAMPROW row = cmyk ? inkRow_.data() : out;
            if (jpeg_read_scanlines(&cinfo_, &row, 1) != 1) return false;
            if (cmyk) inksToBgr(out);
        }
        jpeg_finish_decompress(&cinfo_);
        return true;
    }

    std::optional<Image> takeImage() { return std::move(image_); }

private:
    void inksToBgr(std::uint8_t* out) const {
        bool inverted = cinfo_.saw_Adobe_marker;
        for (std::size_t x = 0; x < cinfo_.output_width; ++x) {
            const std::uint8_t* ink = inkRow_.data() + 4 * x;
            out[3 * x] = fromInk(ink[2], ink[3], inverted);
            out[3 * x + 1] = fromInk(ink[1], ink[3], inverted);
            out[3 * x + 2] = fromInk(ink[0], ink[3], inverted);
        }
    }

    jpeg_decompress_struct cinfo_{};
    ErrorManager errors_{};
    jpeg_progress_mgr progress_{};
    std::optional<Image> image_;
    std::vector<JSAMPLE> inkRow_;
};

}  // namespace

std::optional<Image> decodeJpeg(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < 2 || bytes[0] != 0xFF || bytes[1] != 0xD8) return std::nullopt;
    JpegDecoder decoder;
    if (!decoder.run(bytes.first(wholePartsLength(bytes)))) return std::nullopt;
    return decoder.takeImage();
}

}  // namespace kivolt
