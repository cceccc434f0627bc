#include "ui/stretched_picture.h"

#include <algorithm>

namespace kivolt {

const Image& StretchedPicture::over(const Image& picture, DrawMode mode, Size size, Colour fill) {
    if (picture_ == &picture && mode_ == mode && size_ == size && fill_ == fill) return canvas_;
    picture_ = &picture;
    mode_ = mode;
    size_ = size;
    fill_ = fill;
    canvas_.width = std::max(size.width, 0);
    canvas_.height = std::max(size.height, 0);
    canvas_.bytesPerPixel = 3;
    canvas_.pixels.assign(static_cast<std::size_t>(canvas_.stride()) * canvas_.height, 0);
    const PixelView view = canvas_.view();
    fillRect(view, {0, 0, canvas_.width, canvas_.height}, fill);
    stretchImage(view, picture, {0, 0, canvas_.width, canvas_.height}, mode);
    return canvas_;
}

void StretchedPicture::forget() { picture_ = nullptr; }

}  // namespace kivolt
