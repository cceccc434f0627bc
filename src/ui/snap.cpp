#include "ui/snap.h"

#include <algorithm>

namespace kivolt {
namespace {

// One axis of resizedBoxRect: start and end of the box before, its new length, the area.
int resizedStart(int start, int end, int length, int areaStart, int areaEnd) {
    int newStart = end == areaEnd ? areaEnd - length : start;
    newStart = std::min(newStart, std::max(end, areaEnd) - length);
    return std::max(newStart, std::min(start, areaStart));
}

}  // namespace

Rect snapToWorkArea(Rect r, const Monitor& monitor) {
    const Rect& a = monitor.workArea;
    const int left = monitor.bounds.x;
    const int top = monitor.bounds.y;
    if (r.x < left) r.x -= kSnapDistance;
    if (r.right() > a.right()) r.x += kSnapDistance;
    if (r.y < top) r.y -= kSnapDistance;
    if (r.bottom() > a.bottom()) r.y += kSnapDistance;
    if (left <= r.x && r.x <= a.x + kSnapDistance) r.x = a.x;
    if (a.right() - kSnapDistance <= r.right() && r.right() <= a.right()) r.x = a.right() - r.w;
    if (top <= r.y && r.y <= a.y + kSnapDistance) r.y = a.y;
    if (a.bottom() - kSnapDistance <= r.bottom() && r.bottom() <= a.bottom()) r.y = a.bottom() - r.h;
    return r;
}

Rect resizedBoxRect(const Rect& current, Size size, const Rect& workArea) {
    return {resizedStart(current.x, current.right(), size.width, workArea.x, workArea.right()),
            resizedStart(current.y, current.bottom(), size.height, workArea.y, workArea.bottom()), size.width,
            size.height};
}

}  // namespace kivolt
