#include "ui/balloon_geometry.h"

namespace kivolt {

BalloonGeometry balloonGeometry(const BalloonInput& in) {
    BalloonGeometry g;
    const int w = in.measured ? in.textWidth + 8 : 0;
    const int s = in.itemSize;
    g.bodyWidth = w;
    if (in.orientation == 1) {
        g.window.x = in.box.x + in.cell.x + s / 2 - w / 2;
        if (in.box.y < in.display.height / 2) {
            g.body = {0, 20};
            g.window.y = in.box.y + in.cell.y + s;
            g.arrow = {{{w / 2 - 10, 20}, {w / 2 + 10, 20}, {w / 2, 0}, {w / 2, 0}}};
        } else {
            g.window.y = in.box.y + in.cell.y - 50;
            g.arrow = {{{w / 2 - 10, 20}, {w / 2 + 10, 20}, {w / 2, 40}, {w / 2, 40}}};
        }
    } else if (in.orientation == 0) {
        g.window.y = in.box.y + in.cell.y + s / 2 - 12;
        if (in.box.x < in.display.width / 2) {
            g.body = {28, 0};
            g.window.x = in.box.x + in.cell.x + s;
            g.arrow = {{{0, 12}, {32, 0}, {32, 23}, {0, 12}}};
        } else {
            g.window.x = in.box.x + in.cell.x - (w + 20);
            g.arrow = {{{w - 2, 0}, {w + 20, 12}, {w + 20, 12}, {w - 2, 23}}};
        }
    } else {
        g.window = in.anchor;
    }
    g.client = {w + g.body.x + 20, kBalloonWindowHeight};
    return g;
}

}  // namespace kivolt
