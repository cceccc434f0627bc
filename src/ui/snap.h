#pragma once
// Where the box goes when the user moves it (snapping to the edges of the work area) and
// when it changes size (a docked edge stays docked).

#include "base/monitors.h"
#include "base/types.h"

namespace kivolt {

inline constexpr int kSnapDistance = 30;

// Adjusts a proposed window rectangle (x, y, w = cx, h = cy) of a move on `monitor`: an edge
// within kSnapDistance inside the work area is pulled flush, an edge that crosses it is
// pushed a further kSnapDistance out so the box does not snap back while it sticks out. The
// pushes past the left and top test the monitor's edges (the screen origin on the primary
// monitor), not the work area's.
Rect snapToWorkArea(Rect proposed, const Monitor& monitor);

// The rectangle of a box at `current` that changes to `size`: a right (bottom) edge on the
// work area's edge stays there, other edges keep their place, and the box sticks out of the
// work area no further than it did. Where both cannot hold, the left (top) edge wins.
Rect resizedBoxRect(const Rect& current, Size size, const Rect& workArea);

}  // namespace kivolt
