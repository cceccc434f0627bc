#pragma once
// The portable part of the colour swatch button: which of its three looks it shows, when a
// release opens the colour dialog, and the picture itself.

#include <array>

#include "base/types.h"
#include "ui/image.h"

namespace kivolt {

enum class SwatchLook { Flat, Raised, Sunken };

// `bounds` and `pointer` in the client coordinates of the dialog; the pointer reads
// (-1, -1) outside that client area. The pointer must lie strictly inside the bounds.
SwatchLook swatchLook(Rect bounds, Point pointer, bool buttonHeld, bool pressed);

// A release at `pointer` (relative to the swatch) opens the colour dialog only when it lies
// strictly inside, so the outermost pixel rows and columns do not count.
bool releaseOpensDialog(Size size, Point pointer, bool pressed);

// The frame's system colour indexes (COLOR_...), outer to inner.
std::array<int, 3> swatchFrameColourIndexes(SwatchLook look);

// Outer, middle and inner frame colour.
using SwatchFrame = std::array<Colour, 3>;

// The whole picture: the face colour, then three rounded frame rectangles and the colour
// itself, each inset further, all with the corner radius (width + height) / 30.
void paintColourSwatch(const PixelView& canvas, Size size, Colour face, const SwatchFrame& frame, Colour colour);

}  // namespace kivolt
