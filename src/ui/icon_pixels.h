#pragma once
// From what the system's icon drawing leaves in a zeroed 32-bit image to plain colours with
// their own alpha, which is what keying and blending expect.

#include "ui/image.h"

namespace kivolt {

// Some pixel of the 32-bit image has a non-zero alpha.
bool hasAlpha(const Image& image);

// An icon with an alpha channel, drawn over transparent black, leaves its colours
// multiplied by alpha: divides them back, rounding to nearest. Fully transparent pixels
// become black.
void unpremultiply(Image& image);

// An icon without an alpha channel leaves alpha 0 everywhere; its mask, drawn black where
// the icon is opaque and white elsewhere, gives the alpha: 255 where the mask is black, 0
// (and black) elsewhere. Images of different sizes are left alone.
void alphaFromMask(Image& image, const Image& mask);

}  // namespace kivolt
