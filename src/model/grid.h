#pragma once
// The grid that maps shortcuts to pixels and pixels back to shortcuts. All points are client
// coordinates of the MainWindow (the OverlayWindow always coincides with it); a pointer
// outside the client area reads (-1, -1).

#include <optional>

#include "base/monitors.h"
#include "base/types.h"
#include "model/shortcut_list.h"

namespace kivolt {

constexpr int kGripWidth = 15;   // strip along the start of the long axis while not pinned
constexpr int kCellPadding = 10; // CellSize = item size + this
constexpr int kIconInset = 5;    // icon corner inside its cell, on both axes
constexpr int kOrientationHorizontal = 1;

// The settings the grid depends on.
struct GridShape {
    int itemSize = 32;
    int orientation = 0;  // 1 horizontal (one long row); any other value vertical
    bool pinned = false;
};

// Halves away from zero: 2.5 gives 3, -0.5 gives -1. Saturates at the int range; NaN gives 0.
int roundNearest(double q);

bool isHorizontal(const GridShape& shape);
// The pitch of the grid, at least 1 so that no formula divides by zero.
int cellSize(const GridShape& shape);
// Where the first cell starts: past the grip strip, or at (0, 0) when pinned.
Point gripOffset(const GridShape& shape);

// The pointer is on the grip strip of a box that is not pinned; never when it is outside.
bool onGripStrip(const GridShape& shape, Point pointer);

// The client size of the box holding `count` shortcuts on `monitor`. One long row (column)
// as the display allows, more rows (columns) as the row's length asks; where that would
// hide a shortcut or leave the work area, as many whole cells as fit along the work area
// instead, with enough rows (columns) for all. Never larger than the work area.
Size boxClientSize(const GridShape& shape, int count, const Monitor& monitor);

// Cells per row of a box `clientWidth` wide: the whole cells after the grip; at least 1.
int columnCount(const GridShape& shape, int clientWidth);
// The icon corner (cellX, cellY) of list index `index`; the grid is filled row by row.
Point cellPosition(const GridShape& shape, int clientWidth, int index);
// Writes every Shortcut's cellX, cellY as a paint does.
void placeShortcuts(ShortcutList& list, const GridShape& shape, int clientWidth);

// Index of the first Shortcut whose hit area holds `pointer`, or -1.
int hitTest(const ShortcutList& list, int itemSize, Point pointer);

// The slots lie between the cells, with their boundaries at the cells' middles: slot k is
// before the shortcut at index k. They count row by row, so a slot in a lower row is that
// row times the cells per row plus the slot within the row; in a vertical box of one column
// they count down the column.

// The slot a drag released at `pointer` aims at: negative (nothing moves) outside the box
// or before the first cell of a row, `count` or more after the last shortcut.
int dragSlot(const GridShape& shape, int clientWidth, Point pointer);
// Ends a reorder drag: moves the Shortcut at `sourceIndex` to the slot under `pointer`.
void moveToPointer(ShortcutList& list, const GridShape& shape, int clientWidth, int sourceIndex, Point pointer);

// The list position a file dropped at `drop` is inserted at, 0 to count. Along the long axis
// the slots count from the grip width even on a pinned box, and a slot before the first
// shortcut inserts at the front.
int dropInsertIndex(const GridShape& shape, int clientWidth, int count, Point drop);

// The bar drawn on the boundary of the drag slot while a reorder drag is under way; none
// while the pointer is outside the box.
std::optional<Rect> insertionMarker(const GridShape& shape, int clientWidth, Point pointer);

}  // namespace kivolt
