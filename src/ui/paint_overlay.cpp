#include "ui/paint_overlay.h"

#include <algorithm>
#include <cmath>

#include "ui/raster.h"

namespace kivolt {
namespace {

constexpr Colour kGripBar = rgb(79, 79, 79);
constexpr Colour kGripLine = rgb(16, 16, 16);
constexpr Colour kRunningMarker = rgb(135, 133, 133);
constexpr int kHorizontal = 1;
constexpr int kVertical = 0;

int cellSizeOf(const OverlayState& state) { return std::max(state.itemSize + 10, 1); }

Point gripOffset(const OverlayState& state) {
    if (state.pinned) return {0, 0};
    if (state.orientation == kHorizontal) return {15, 0};
    if (state.orientation == kVertical) return {0, 15};
    return {0, 0};
}

void drawGripStrip(const PixelView& canvas, int orientation) {
    const int w = canvas.width;
    const int h = canvas.height;
    if (orientation == kHorizontal) {
        fillRoundRect(canvas, {2, 2, 13, h - 5}, 4, 4, kGripBar);
        for (int i = 0; i <= (h - 4) / 6 - 2; ++i) drawHorizontalLine(canvas, 3, 8 + 6 * i, 11, kGripLine);
    } else if (orientation == kVertical) {
        fillRoundRect(canvas, {2, 2, w - 5, 13}, 4, 4, kGripBar);
        for (int i = 0; i <= (w - 4) / 6 - 2; ++i) drawVerticalLine(canvas, 8 + 6 * i, 3, 11, kGripLine);
    }
}

Point cellOf(int index, int canvasWidth, int cellSize, Point grip) {
    const int columns = std::max(canvasWidth / cellSize, 1);
    const int row = index / columns;
    const int column = index - row * columns;
    return {grip.x + column * cellSize + 5, grip.y + row * cellSize + 5};
}

bool isHovered(Point cell, Point pointer, int cellSize) {
    return cell.x < pointer.x && pointer.x < cell.x + cellSize && cell.y < pointer.y &&
           pointer.y < cell.y + cellSize;
}

// The insertion slot k for pointer coordinate v: (v - offset) / cellSize rounded to the
// nearest integer, halves away from zero.
int insertionSlot(int v, int offset, int cellSize) {
    return static_cast<int>(std::round(static_cast<double>(v - offset) / cellSize));
}

void drawInsertionMarker(const PixelView& canvas, const OverlayState& state, int cellSize) {
    const int offset = state.pinned ? -2 : 13;
    const bool horizontal = state.orientation == kHorizontal;
    const int v = horizontal ? state.pointer.x : state.pointer.y;
    const int along = offset + insertionSlot(v, offset, cellSize) * cellSize;
    const int length = state.itemSize + 8;
    const Rect marker = horizontal ? Rect{along, 1, 4, length} : Rect{1, along, length, 4};
    fillRoundRect(canvas, marker, 2, 2, state.systemColours.insertionMarker);
}

}  // namespace

std::vector<Point> paintOverlay(const PixelView& canvas, const OverlayState& state,
                                std::span<const OverlayItem> items, const IsRunning& isRunning) {
    fillRect(canvas, {0, 0, canvas.width, canvas.height}, kKeyColour);
    if (!state.pinned) drawGripStrip(canvas, state.orientation);
    if (state.drawBorder != 0) {
        outlineRoundRect(canvas, {0, 0, canvas.width - 1, canvas.height - 1}, 7, 7, state.backgroundColour);
    }

    const int size = state.itemSize;
    const int cellSize = cellSizeOf(state);
    const Point grip = gripOffset(state);
    const Colour hoverColour =
        state.leftButtonDown ? state.systemColours.hoverButtonDown : state.systemColours.hoverButtonUp;
    std::vector<Point> cells;
    cells.reserve(items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        const Point cell = cellOf(static_cast<int>(i), canvas.width, cellSize, grip);
        cells.push_back(cell);
        if (items[i].image != nullptr) drawImage(canvas, *items[i].image, cell.x, cell.y, DrawMode::Blend);
        if (state.markRunning != 0 && isRunning && isRunning(items[i].fileName)) {
            outlineRoundRect(canvas, {cell.x - 3, cell.y - 3, size + 5, size + 5}, 7, 7, kRunningMarker);
        }
        if (!state.dragging && isHovered(cell, state.pointer, cellSize)) {
            outlineRoundRect(canvas, {cell.x - 4, cell.y - 4, size + 7, size + 7}, 8, 8, hoverColour);
        }
    }
    if (state.dragging) drawInsertionMarker(canvas, state, cellSize);
    return cells;
}

}  // namespace kivolt
