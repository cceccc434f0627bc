#include "model/grid.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

#include "model/shortcut_edit.h"

namespace kivolt {

namespace {

using Int64 = std::int64_t;

// The marker is a 4-pixel bar centred on the boundary between two cells, reaching 4 pixels
// past the icons on either side.
constexpr int kMarkerShift = 2;
constexpr int kMarkerThickness = 4;
constexpr int kMarkerOverhang = 4;
constexpr int kMarkerMargin = 1;

int clampToInt(Int64 value, Int64 low) { return static_cast<int>(std::clamp<Int64>(value, low, INT_MAX)); }

Int64 ceilDiv(Int64 a, Int64 b) { return (a + b - 1) / b; }

// Sizes are worked out along the long axis (the row of a horizontal box, the column of a
// vertical one) and across it.
struct Extent {
    Int64 along = 0;
    Int64 across = 0;
};

Size sizeOf(const GridShape& shape, Extent e) {
    if (isHorizontal(shape)) return {clampToInt(e.along, 1), clampToInt(e.across, 1)};
    return {clampToInt(e.across, 1), clampToInt(e.along, 1)};
}

// The work area along and across the box's long axis.
Extent workExtent(const GridShape& shape, const Monitor& monitor) {
    const Rect& work = monitor.workArea;
    return isHorizontal(shape) ? Extent{work.w, work.h} : Extent{work.h, work.w};
}

Int64 gripAlong(const GridShape& shape) { return shape.pinned ? 0 : kGripWidth; }

// The first formulas: the long axis as long as the shortcuts need, up to the display's width
// less one pixel (a row) or the display's height above the taskbar (a column); one more row
// (column) for each full display length. Only an empty pinned box has no extent; it still
// shows one cell.
Extent describedExtent(const GridShape& shape, Int64 count, const Monitor& monitor) {
    const Int64 c = cellSize(shape);
    const Int64 length = count * c + gripAlong(shape);
    Extent e;
    if (isHorizontal(shape)) {
        const Int64 dw = std::max(monitor.bounds.w, 1);
        e = {length <= dw ? length : dw - 1, (length / dw + 1) * c};
    } else {
        const Int64 dh = std::max(monitor.bounds.h, 1);
        const Int64 aboveTaskbar = Int64{monitor.workArea.bottom()} - monitor.bounds.y;
        e = {std::min(length, aboveTaskbar), (length / dh + 1) * c};
    }
    if (e.along <= 0) e.along = c;
    if (e.across <= 0) e.across = c;
    return e;
}

// Whole cells along the long axis of a box that long.
Int64 cellsAlong(const GridShape& shape, Int64 along) { return (along - gripAlong(shape)) / cellSize(shape); }

// Every shortcut has a whole cell inside the box, and the box fits in the work area.
bool showsAll(const GridShape& shape, Int64 count, Extent e, const Monitor& monitor) {
    const Extent work = workExtent(shape, monitor);
    const Int64 cells = std::max<Int64>(cellsAlong(shape, e.along), 0) * (e.across / cellSize(shape));
    return e.along <= work.along && e.across <= work.across && cells >= count;
}

// The long axis as long as the shortcuts need up to the work area's length, and as many rows
// (columns) of the whole cells that fit along it as the shortcuts need.
Extent wholeCellExtent(const GridShape& shape, Int64 count, const Monitor& monitor) {
    const Extent work = workExtent(shape, monitor);
    const Int64 c = cellSize(shape);
    const Int64 along = std::min(count * c + gripAlong(shape), work.along);
    const Int64 lines = std::max<Int64>(ceilDiv(count, std::max<Int64>(cellsAlong(shape, along), 1)), 1);
    return {along, std::min(lines * c, work.across)};
}

// The pointer outside the box reads (-1, -1).
bool insideBox(Point pointer) { return pointer.x >= 0 && pointer.y >= 0; }

// Where a pointer falls among the slots: the row, and the boundary within it (counted down
// the column in a vertical box of one column, with the row 0).
struct SlotPlace {
    int row = 0;
    int boundary = 0;
};

bool slotsRunDown(const GridShape& shape, int clientWidth) {
    return !isHorizontal(shape) && columnCount(shape, clientWidth) == 1;
}

SlotPlace slotPlace(const GridShape& shape, int clientWidth, Point pointer, int start) {
    const int c = cellSize(shape);
    if (slotsRunDown(shape, clientWidth)) return {0, roundNearest(static_cast<double>(pointer.y - start) / c)};
    const int row = std::max(pointer.y - gripOffset(shape).y, 0) / c;
    const int boundary = roundNearest(static_cast<double>(pointer.x - start) / c);
    return {row, std::min(boundary, columnCount(shape, clientWidth))};
}

int slotOf(const GridShape& shape, int clientWidth, SlotPlace place) {
    if (place.boundary < 0) return place.boundary;
    return clampToInt(Int64{place.row} * columnCount(shape, clientWidth) + place.boundary, 0);
}

// Where the slots of a drag start: past the grip along the line they run on.
int dragStart(const GridShape& shape, int clientWidth) {
    const Point grip = gripOffset(shape);
    return slotsRunDown(shape, clientWidth) ? grip.y : grip.x;
}

// Drops count from the grip width along the long axis whether or not the box is pinned.
int dropStart(const GridShape& shape, int clientWidth) {
    return isHorizontal(shape) || slotsRunDown(shape, clientWidth) ? kGripWidth : 0;
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

bool onGripStrip(const GridShape& shape, Point pointer) {
    const Point grip = gripOffset(shape);
    return insideBox(pointer) && (isHorizontal(shape) ? pointer.x < grip.x : pointer.y < grip.y);
}

Size boxClientSize(const GridShape& shape, int count, const Monitor& monitor) {
    const Int64 n = std::max(count, 0);
    const Extent described = describedExtent(shape, n, monitor);
    if (showsAll(shape, n, described, monitor)) return sizeOf(shape, described);
    return sizeOf(shape, wholeCellExtent(shape, n, monitor));
}

int columnCount(const GridShape& shape, int clientWidth) {
    // A box narrower than one cell still has one column.
    return std::max((clientWidth - gripOffset(shape).x) / cellSize(shape), 1);
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

int dragSlot(const GridShape& shape, int clientWidth, Point pointer) {
    if (!insideBox(pointer)) return -1;
    return slotOf(shape, clientWidth, slotPlace(shape, clientWidth, pointer, dragStart(shape, clientWidth)));
}

void moveToPointer(ShortcutList& list, const GridShape& shape, int clientWidth, int sourceIndex, Point pointer) {
    moveShortcut(list, sourceIndex, dragSlot(shape, clientWidth, pointer));
}

int dropInsertIndex(const GridShape& shape, int clientWidth, int count, Point drop) {
    const int slot = slotOf(shape, clientWidth, slotPlace(shape, clientWidth, drop, dropStart(shape, clientWidth)));
    return std::clamp(slot, 0, std::max(count, 0));
}

std::optional<Rect> insertionMarker(const GridShape& shape, int clientWidth, Point pointer) {
    if (!insideBox(pointer)) return std::nullopt;
    const int start = dragStart(shape, clientWidth);
    const SlotPlace place = slotPlace(shape, clientWidth, pointer, start);
    const int c = cellSize(shape);
    const int boundary = start - kMarkerShift + place.boundary * c;
    const int length = shape.itemSize + 2 * kMarkerOverhang;
    if (slotsRunDown(shape, clientWidth)) return Rect{kMarkerMargin, boundary, length, kMarkerThickness};
    return Rect{boundary, gripOffset(shape).y + place.row * c + kMarkerMargin, kMarkerThickness, length};
}

}  // namespace kivolt
