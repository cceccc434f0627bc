#include "dialogs/colour_swatch_look.h"

#include "ui/raster.h"

namespace kivolt {
namespace {

// System colour indexes, as GetSysColor numbers them.
constexpr int kButtonFace = 15;      // COLOR_BTNFACE
constexpr int kButtonShadow = 16;    // COLOR_BTNSHADOW
constexpr int kButtonHighlight = 20; // COLOR_BTNHIGHLIGHT
constexpr int kDarkShadow = 21;      // COLOR_3DDKSHADOW
constexpr int kLight = 22;           // COLOR_3DLIGHT

bool strictlyInside(Point p, Rect r) { return r.x < p.x && p.x < r.x + r.w && r.y < p.y && p.y < r.y + r.h; }

}  // namespace

SwatchLook swatchLook(Rect bounds, Point pointer, bool buttonHeld, bool pressed) {
    if (!strictlyInside(pointer, bounds)) return SwatchLook::Flat;
    return buttonHeld && pressed ? SwatchLook::Sunken : SwatchLook::Raised;
}

bool releaseOpensDialog(Size size, Point pointer, bool pressed) {
    return pressed && strictlyInside(pointer, {0, 0, size.width, size.height});
}

std::array<int, 3> swatchFrameColourIndexes(SwatchLook look) {
    switch (look) {
    case SwatchLook::Sunken:
        return {kDarkShadow, kButtonShadow, kLight};
    case SwatchLook::Raised:
        return {kButtonShadow, kLight, kButtonHighlight};
    case SwatchLook::Flat:
        break;
    }
    return {kButtonFace, kButtonFace, kButtonFace};
}

void paintColourSwatch(const PixelView& canvas, Size size, Colour face, const SwatchFrame& frame, Colour colour) {
    const int w = size.width;
    const int h = size.height;
    const int r = (w + h) / 30;
    fillRect(canvas, {0, 0, w, h}, face);
    fillRoundRect(canvas, {1, 1, w - 2, h - 2}, r, r, frame[0]);
    fillRoundRect(canvas, {2, 2, w - 4, h - 4}, r, r, frame[1]);
    fillRoundRect(canvas, {3, 3, w - 6, h - 6}, r, r, frame[2]);
    fillRoundRect(canvas, {5, 5, w - 10, h - 10}, r, r, colour);
}

}  // namespace kivolt
