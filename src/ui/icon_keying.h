#pragma once
// Keying out the soft fringe of rendered icons: the OverlayWindow is colour-keyed, so pixels
// that are not nearly opaque become the key colour and turn see-through.

#include "base/types.h"
#include "ui/image.h"

namespace kivolt {

constexpr int kKeyAlphaThreshold = 200;
constexpr Colour kKeyColour = rgb(255, 0, 255);

// Every pixel with alpha below kKeyAlphaThreshold becomes the opaque kKeyColour; the others
// keep colour and alpha. Does nothing to an empty image or one that is not 32-bit.
void keyOutSoftPixels(Image& image);

}  // namespace kivolt
