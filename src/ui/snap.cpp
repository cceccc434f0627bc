#include "ui/snap.h"

namespace kivolt {

Rect snapToWorkArea(Rect r, const WorkArea& a) {
    // The outward pushes test against the screen origin, not the work area's left and top.
    if (r.x < 0) r.x -= kSnapDistance;
    if (r.x + r.w > a.right) r.x += kSnapDistance;
    if (r.y < 0) r.y -= kSnapDistance;
    if (r.y + r.h > a.bottom) r.y += kSnapDistance;
    if (0 <= r.x && r.x <= a.left + kSnapDistance) r.x = a.left;
    if (a.right - kSnapDistance <= r.x + r.w && r.x + r.w <= a.right) r.x = a.right - r.w;
    if (0 <= r.y && r.y <= a.top + kSnapDistance) r.y = a.top;
    if (a.bottom - kSnapDistance <= r.y + r.h && r.y + r.h <= a.bottom) r.y = a.bottom - r.h;
    return r;
}

}  // namespace kivolt
