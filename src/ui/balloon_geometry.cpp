#include "ui/balloon_geometry.h"

#include <algorithm>

namespace kivolt {

namespace {

// Moves the balloon along one axis so that its body, `length` long from `start`, lies
// inside the area from `areaStart` to `areaEnd` (its start wins where both cannot hold);
// how far it moved.
int shiftInto(int start, int length, int areaStart, int areaEnd) {
    return std::max(std::min(start, areaEnd - length), areaStart) - start;
}

// The arrow below or above a body `w` wide: its tip at `tipX`, its base 20 pixels wide on
// the body's edge at `baseY`, under the tip as far as the body reaches.
std::array<Point, 4> horizontalArrow(int w, int tipX, int tipY, int baseY) {
    const int base = std::clamp(tipX, std::min(10, w / 2), std::max(w - 10, w / 2));
    return {{{base - 10, baseY}, {base + 10, baseY}, {tipX, tipY}, {tipX, tipY}}};
}

}  // namespace

BalloonGeometry balloonGeometry(const BalloonInput& in) {
    BalloonGeometry g;
    const int w = in.measured ? in.textWidth + 8 : 0;
    const int s = in.itemSize;
    const Rect& screen = in.monitor.bounds;
    const Rect& work = in.monitor.workArea;
    g.bodyWidth = w;
    if (in.orientation == 1) {
        const int centred = in.box.x + in.cell.x + s / 2 - w / 2;
        // Moved into the work area, the arrow still points at the middle of the icon.
        g.window.x = centred + shiftInto(centred, w, work.x, work.right());
        const int tip = w / 2 + centred - g.window.x;
        if (in.box.y - screen.y < screen.h / 2) {
            g.body = {0, 20};
            g.window.y = in.box.y + in.cell.y + s;
            g.arrow = horizontalArrow(w, tip, 0, 20);
        } else {
            g.window.y = in.box.y + in.cell.y - 50;
            g.arrow = horizontalArrow(w, tip, 40, 20);
        }
    } else if (in.orientation == 0) {
        const int centred = in.box.y + in.cell.y + s / 2 - 12;
        g.window.y = centred + shiftInto(centred, kBalloonBodyHeight, work.y, work.bottom());
        const int tip = 12 + centred - g.window.y;
        if (in.box.x - screen.x < screen.w / 2) {
            g.body = {28, 0};
            g.window.x = in.box.x + in.cell.x + s;
            g.arrow = {{{0, tip}, {32, 0}, {32, 23}, {0, tip}}};
        } else {
            g.window.x = in.box.x + in.cell.x - (w + 20);
            g.arrow = {{{w - 2, 0}, {w + 20, tip}, {w + 20, tip}, {w - 2, 23}}};
        }
    } else {
        g.window = in.anchor;
    }
    g.client = {w + g.body.x + 20, kBalloonWindowHeight};
    return g;
}

}  // namespace kivolt
