#pragma once
// Drawing into pixel memory: fills, rounded rectangles, lines and images.
//
// Every function clips to the target; shapes with a width or height below 1 draw nothing.
// Only the B, G, R bytes of a target pixel are written; a 4-byte target's fourth byte is
// left as it was, except by DrawMode::Replace.

#include "base/types.h"
#include "ui/image.h"

namespace kivolt {

// How an image's pixels reach the target.
enum class DrawMode {
    Opaque,  // colour channels replace the target's; alpha is ignored
    Blend,   // each channel becomes (image * a + target * (255 - a)) div 255
    Replace, // colours and alpha replace the target's (a 24-bit image counts as opaque)
};

void fillRect(const PixelView& target, Rect rect, Colour colour);

// Rounded rectangles have quarter-ellipse corners with radii rx and ry, each reduced to
// half the width (height) when larger. A pixel belongs to the filled shape when its centre
// lies inside the shape; the outline is exactly those pixels of the filled shape that have
// a left, right, upper or lower neighbour outside it.
void fillRoundRect(const PixelView& target, Rect rect, int rx, int ry, Colour colour);
void outlineRoundRect(const PixelView& target, Rect rect, int rx, int ry, Colour colour);

void drawHorizontalLine(const PixelView& target, int x, int y, int length, Colour colour);
void drawVerticalLine(const PixelView& target, int x, int y, int length, Colour colour);

// The image with its top-left corner at (x, y). A 24-bit image counts as fully opaque.
void drawImage(const PixelView& target, const Image& image, int x, int y, DrawMode mode);

// The image scaled to fill dest. Each axis is filtered on its own: shrinking averages the
// source pixels a target pixel covers (area weighted), growing interpolates linearly
// between the two nearest source pixels. Colours are weighted by alpha when blending, so
// transparent pixels do not darken their neighbours. Same size draws the image unscaled.
void stretchImage(const PixelView& target, const Image& image, Rect dest, DrawMode mode);

// A 32-bit copy of the image scaled to width × height as stretchImage scales, alpha
// included; colours are weighted by alpha, so a pixel keeps its colour as it fades out.
Image scaledImage(const Image& image, int width, int height);

// Copies the colours of the source pixels in rect to the same place in the target.
void copyPixels(const PixelView& target, const PixelView& source, Rect rect);

}  // namespace kivolt
