#include "model/grid.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

#include "model/shortcut_edit.h"

namespace kivolt {

namespace {

// The slot formulas count cells along the long axis only, from an offset.
int slotAlongAxis(const GridShape& shape, Point pointer, int offset) {
    int v = isHorizontal(shape) ? pointer.x : pointer.y;
    return roundNearest(static_cast<double>(v - offset) / cellSize(shape));
}

int dragOffset(const GridShape& shape) { return shape.pinned ? 0 : kGripWidth; }

// Drops subtract the grip width whether or not the box is pinned.
constexpr int kDropOffset = kGripWidth;
// The marker is a 4-pixel bar centred on the boundary between two cells, reaching 4 pixels
// past the icons on either side.
constexpr int kMarkerShift = 2;
constexpr int kMarkerThickness = 4;
constexpr int kMarkerOverhang = 4;
constexpr int kMarkerMargin = 1;

int clampToInt(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, 0, INT_MAX));
}

}  // namespace

int roundNearest(double q) {
    if (std::isnan(q)) return 0;
    double rounded = q > 0 ? std::floor(q + 0.5) : std::ceil(q - 0.5);
    if (rounded >= static_cast<double>(INT_MAX)) return INT_MAX;
    if (rounded <= static_cast<double>(INT_MIN)) return INT_MIN;
    return static_cast<int>(rounded);
}

bool isHorizontal(const GridShape& shape) { return shape.orientation == kOrientationHorizontal; }

int cellSize(const GridShape& shape) { return std::max(shape.itemSize + kCellPadding, 1); }

Point gripOffset(const GridShape& shape) {
    if (shape.pinned) return {0, 0};
    return isHorizontal(shape) ? Point{kGripWidth, 0} : Point{0, kGripWidth};
}

Size boxClientSize(const GridShape& shape, int count, const Desktop& desktop) {
    const std::int64_t c = cellSize(shape);
    const std::int64_t length = std::int64_t{std::max(count, 0)} * c + (shape.pinned ? 0 : kGripWidth);
    const std::int64_t dw = std::max(desktop.display.width, 1);
    const std::int64_t dh = std::max(desktop.display.height, 1);
    std::int64_t width;
    std::int64_t height;
    if (isHorizontal(shape)) {
        width = length <= dw ? length : dw - 1;
        height = (length / dw + 1) * c;
    } else {
        const std::int64_t usable = dh - desktop.taskbarHeight;
        width = (length / dh + 1) * c;
        height = length <= usable ? length : usable;
    }
    // Only an empty pinned box has no extent; it still shows one cell.
    if (width <= 0) width = c;
    if (height <= 0) height = c;
    return {clampToInt(width), clampToInt(height)};
}

int columnCount(const GridShape& shape, int clientWidth) {
    // A horizontal box clamped to a desktop narrower than one cell still needs one column.
    return std::max(clientWidth / cellSize(shape), 1);
}

Point cellPosition(const GridShape& shape, int clientWidth, int index) {
    const int columns = columnCount(shape, clientWidth);
    const int row = index / columns;
    const int column = index - row * columns;
    const int c = cellSize(shape);
    const Point grip = gripOffset(shape);
    return {grip.x + column * c + kIconInset, grip.y + row * c + kIconInset};
}

void placeShortcuts(ShortcutList& list, const GridShape& shape, int clientWidth) {
    int index = 0;
    for (Shortcut& shortcut : list) {
        const Point corner = cellPosition(shape, clientWidth, index++);
        shortcut.cellX = corner.x;
        shortcut.cellY = corner.y;
    }
}

int hitTest(const ShortcutList& list, int itemSize, Point pointer) {
    // The icon plus 4 pixels right and below, without its own left column and top row.
    const int reach = itemSize + kIconInset;
    int index = 0;
    for (const Shortcut& s : list) {
        if (s.cellX < pointer.x && pointer.x < s.cellX + reach && s.cellY < pointer.y &&
            pointer.y < s.cellY + reach) {
            return index;
        }
        ++index;
    }
    return -1;
}

int dragSlot(const GridShape& shape, Point pointer) {
    return slotAlongAxis(shape, pointer, dragOffset(shape));
}

void moveToPointer(ShortcutList& list, const GridShape& shape, int sourceIndex, Point pointer) {
    moveShortcut(list, sourceIndex, dragSlot(shape, pointer));
}

int dropInsertIndex(const GridShape& shape, int count, Point drop) {
    const int slot = slotAlongAxis(shape, drop, kDropOffset);
    return slot >= 1 && slot <= count ? slot : 0;
}

Rect insertionMarker(const GridShape& shape, Point pointer) {
    const int offset = dragOffset(shape) - kMarkerShift;
    const int boundary = offset + slotAlongAxis(shape, pointer, offset) * cellSize(shape);
    const int length = shape.itemSize + 2 * kMarkerOverhang;
    if (isHorizontal(shape)) return {boundary, kMarkerMargin, kMarkerThickness, length};
    return {kMarkerMargin, boundary, length, kMarkerThickness};
}

}  // namespace kivolt
