#pragma once
// The background picture stretched over the canvas, kept from one paint to the next:
// scaling a camera-sized photo takes tens of milliseconds, and the box repaints twice a
// second and at every hover change.

#include "base/types.h"
#include "ui/image.h"
#include "ui/raster.h"

namespace kivolt {

class StretchedPicture {
public:
    // The canvas as the stretched mode paints it: `fill`, with `picture` scaled to size
    // over it by `mode`. Scaled again only when an argument differs from the last call's;
    // the picture is known by its address.
    const Image& over(const Image& picture, DrawMode mode, Size size, Colour fill);

    // Drops the kept canvas. Whoever replaces a picture in place (loads another into the
    // same object) calls this.
    void forget();

private:
    const Image* picture_ = nullptr;
    DrawMode mode_ = DrawMode::Opaque;
    Size size_;
    Colour fill_ = 0;
    Image canvas_;
};

}  // namespace kivolt
