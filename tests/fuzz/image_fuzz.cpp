// libFuzzer entry point for the image decoders: any bytes must give an image or nothing,
// never a crash, a sanitizer report or a runaway allocation.

#include <cstddef>
#include <cstdint>
#include <span>

#include "ui/image_decode.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::span<const std::uint8_t> bytes(data, size);
    if (auto image = kivolt::decodeImage(bytes)) {
        // Touch the last byte: the buffer must be as large as the image says.
        volatile std::uint8_t last = image->pixels.at(static_cast<std::size_t>(image->stride()) * image->height - 1);
        (void)last;
    }
    kivolt::chooseIconEntry(bytes);
    return 0;
}
