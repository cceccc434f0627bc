#pragma once
// The OverlayCanvas picture: KeyColour fill, GripStrip, border, the shortcut icons with
// their RunningMarkers, and either the HoverFrame or, during a drag, the InsertionMarker.

#include <functional>
#include <span>
#include <string>
#include <vector>

#include "base/types.h"
#include "ui/icon_keying.h"
#include "ui/image.h"

namespace kivolt {

// System colours, read by the Windows side before each paint.
struct OverlaySystemColours {
    Colour insertionMarker = 0;  // COLOR_HOTLIGHT
    Colour hoverButtonUp = 0;    // COLOR_3DDKSHADOW
    Colour hoverButtonDown = 0;  // COLOR_BTNSHADOW
};

// Everything one overlay paint depends on besides the shortcuts.
struct OverlayState {
    int itemSize = 32;
    int orientation = 0;  // 1 horizontal, anything else vertical
    int drawBorder = 1;
    Colour backgroundColour = rgb(205, 205, 205);
    int markRunning = 0;
    bool pinned = false;
    bool dragging = false;
    Point pointer = {-1, -1};  // client coordinates; -1, -1 when outside
    bool leftButtonDown = false;
    OverlaySystemColours systemColours;
    // What the MainWindow shows under the overlay (the BackgroundCanvas): soft icon pixels
    // blend over it, and over backgroundColour where it has no pixels.
    PixelView beneath;
};

// One shortcut to paint, in list order.
struct OverlayItem {
    const Image* image = nullptr;  // none: no icon is drawn
    std::string fileName;          // the file part of the shortcut's path
};

// Asked once per shortcut, only when running programs are marked.
using IsRunning = std::function<bool(const std::string& fileName)>;

// Repaints the whole canvas and returns each item's icon corner (cellX, cellY).
std::vector<Point> paintOverlay(const PixelView& canvas, const OverlayState& state,
                                std::span<const OverlayItem> items, const IsRunning& isRunning);

}  // namespace kivolt
