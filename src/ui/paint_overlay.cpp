#include "ui/paint_overlay.h"

#include <optional>

#include "model/grid.h"
#include "ui/raster.h"

namespace kivolt {
namespace {

constexpr Colour kGripBar = rgb(79, 79, 79);
constexpr Colour kGripLine = rgb(16, 16, 16);
constexpr Colour kRunningMarker = rgb(135, 133, 133);

void drawGripStrip(const PixelView& canvas, const GridShape& shape) {
    const int w = canvas.width;
    const int h = canvas.height;
    if (isHorizontal(shape)) {
        fillRoundRect(canvas, {2, 2, 13, h - 5}, 4, 4, kGripBar);
        for (int i = 0; i <= (h - 4) / 6 - 2; ++i) drawHorizontalLine(canvas, 3, 8 + 6 * i, 11, kGripLine);
    } else {
        fillRoundRect(canvas, {2, 2, w - 5, 13}, 4, 4, kGripBar);
        for (int i = 0; i <= (w - 4) / 6 - 2; ++i) drawVerticalLine(canvas, 8 + 6 * i, 3, 11, kGripLine);
    }
}

// Soft icon pixels blend over what lies beneath them on screen, not over the key colour,
// which only the see-through pixels carry (those keep it: keyed images hold it opaquely).
void drawIcon(const PixelView& canvas, const Image& image, Point at, const OverlayState& state) {
    const Rect area{at.x, at.y, image.width, image.height};
    fillRect(canvas, area, state.backgroundColour);
    copyPixels(canvas, state.beneath, area);
    drawImage(canvas, image, at.x, at.y, DrawMode::Blend);
}

bool isHovered(Point cell, Point pointer, int cellSize) {
    return cell.x < pointer.x && pointer.x < cell.x + cellSize && cell.y < pointer.y &&
           pointer.y < cell.y + cellSize;
}

}  // namespace

std::vector<Point> paintOverlay(const PixelView& canvas, const OverlayState& state,
                                std::span<const OverlayItem> items, const IsRunning& isRunning) {
    const GridShape shape{state.itemSize, state.orientation, state.pinned};
    fillRect(canvas, {0, 0, canvas.width, canvas.height}, kKeyColour);
    if (!state.pinned) drawGripStrip(canvas, shape);
    if (state.drawBorder != 0) {
        outlineRoundRect(canvas, {0, 0, canvas.width - 1, canvas.height - 1}, 7, 7, state.backgroundColour);
    }

    const int size = state.itemSize;
    const int pitch = cellSize(shape);
    const Colour hoverColour =
        state.leftButtonDown ? state.systemColours.hoverButtonDown : state.systemColours.hoverButtonUp;
    std::vector<Point> cells;
    cells.reserve(items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        const Point cell = cellPosition(shape, canvas.width, static_cast<int>(i));
        cells.push_back(cell);
        if (items[i].image != nullptr) drawIcon(canvas, *items[i].image, cell, state);
        if (state.markRunning != 0 && isRunning && isRunning(items[i].fileName)) {
            outlineRoundRect(canvas, {cell.x - 3, cell.y - 3, size + 5, size + 5}, 7, 7, kRunningMarker);
        }
        if (!state.dragging && isHovered(cell, state.pointer, pitch)) {
            outlineRoundRect(canvas, {cell.x - 4, cell.y - 4, size + 7, size + 7}, 8, 8, hoverColour);
        }
    }
    if (state.dragging) {
        if (const std::optional<Rect> marker = insertionMarker(shape, canvas.width, state.pointer))
            fillRoundRect(canvas, *marker, 2, 2, state.systemColours.insertionMarker);
    }
    return cells;
}

}  // namespace kivolt
