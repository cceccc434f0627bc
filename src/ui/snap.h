#pragma once
// Snapping the box to the edges of the work area while it is moved or resized.

#include "base/types.h"

namespace kivolt {

inline constexpr int kSnapDistance = 30;

struct WorkArea {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// Adjusts a proposed window rectangle (x, y, w = cx, h = cy): an edge within kSnapDistance
// inside the work area is pulled flush, an edge that crosses it is pushed a further
// kSnapDistance out so the box does not snap back while it sticks out.
Rect snapToWorkArea(Rect proposed, const WorkArea& area);

}  // namespace kivolt
