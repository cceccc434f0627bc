#pragma once
// The grid that maps shortcuts to pixels and pixels back to shortcuts. All points are client
// coordinates of the MainWindow (the OverlayWindow always coincides with it); a pointer
// outside the client area reads (-1, -1).

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

// What the box is sized against.
struct Desktop {
    Size display;           // the primary display's current mode
    int taskbarHeight = 0;  // screen height minus the bottom of the work area
};

// Halves away from zero: 2.5 gives 3, -0.5 gives -1. Saturates at the int range; NaN gives 0.
int roundNearest(double q);

bool isHorizontal(const GridShape& shape);
// The pitch of the grid, at least 1 so that no formula divides by zero.
int cellSize(const GridShape& shape);
// Where the first cell starts: past the grip strip, or at (0, 0) when pinned.
Point gripOffset(const GridShape& shape);

// The client size of the box holding `count` shortcuts.
Size boxClientSize(const GridShape& shape, int count, const Desktop& desktop);

// Cells per row of a box `clientWidth` wide; at least 1.
int columnCount(const GridShape& shape, int clientWidth);
// The icon corner (cellX, cellY) of list index `index`.
Point cellPosition(const GridShape& shape, int clientWidth, int index);
// Writes every Shortcut's cellX, cellY as a paint does.
void placeShortcuts(ShortcutList& list, const GridShape& shape, int clientWidth);

// Index of the first Shortcut whose hit area holds `pointer`, or -1.
int hitTest(const ShortcutList& list, int itemSize, Point pointer);

// The slot a drag released at `pointer` aims at (any integer).
int dragSlot(const GridShape& shape, Point pointer);
// Ends a reorder drag: moves the Shortcut at `sourceIndex` to the slot under `pointer`.
void moveToPointer(ShortcutList& list, const GridShape& shape, int sourceIndex, Point pointer);

// The list position a file dropped at `drop` is inserted at, 0 to count.
int dropInsertIndex(const GridShape& shape, int count, Point drop);

// The bar drawn between cells while a reorder drag is under way.
Rect insertionMarker(const GridShape& shape, Point pointer);

}  // namespace kivolt
