#pragma once
// The BackgroundCanvas picture: the background colour and, optionally, the background
// image centred, stretched or tiled.

#include "base/types.h"
#include "ui/image.h"
#include "ui/stretched_picture.h"

namespace kivolt {

// The settings values the background needs.
struct BackgroundOptions {
    Colour colour = rgb(205, 205, 205);
    int showImage = 0;  // non-zero: draw the image, if there is one
    int mode = 0;       // BackgroundMode: 0 centred, 1 stretched, 2 tiled; others draw no image
    const Image* image = nullptr;
    // Keeps the stretched picture between paints; without it, every paint scales anew.
    StretchedPicture* stretched = nullptr;
};

// Repaints the whole canvas. Images decoded from icon files (blendByAlpha) are blended by
// their alpha; all others are copied opaquely.
void paintBackground(const PixelView& canvas, const BackgroundOptions& options);

}  // namespace kivolt
