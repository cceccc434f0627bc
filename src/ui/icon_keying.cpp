#include "ui/icon_keying.h"

#include <cstddef>

namespace kivolt {

void keyOutSoftPixels(Image& image) {
    if (image.bytesPerPixel != 4 || image.width <= 0 || image.height <= 0) return;
    // A buffer shorter than its dimensions claim is left alone rather than overrun.
    std::size_t rowBytes = static_cast<std::size_t>(image.width) * 4;
    if (image.pixels.size() / static_cast<std::size_t>(image.height) < rowBytes) return;
    PixelView view = image.view();
    for (int y = 0; y < view.height; ++y) {
        for (int x = 0; x < view.width; ++x) {
            std::uint8_t* p = view.pixel(x, y);
            if (p[3] >= kKeyAlphaThreshold) continue;
            p[0] = static_cast<std::uint8_t>(blueOf(kKeyColour));
            p[1] = static_cast<std::uint8_t>(greenOf(kKeyColour));
            p[2] = static_cast<std::uint8_t>(redOf(kKeyColour));
            p[3] = 255;
        }
    }
}

}  // namespace kivolt
