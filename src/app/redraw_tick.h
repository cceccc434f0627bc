#pragma once
// Whether a RedrawTimer tick repaints the box. A repaint shows nothing new unless something
// changed with no event to set the RedrawFlag: a marked program started or ended, or the
// pointer moved over the box (the hover frame within a cell's gap, its colour while the
// button is held, the insertion marker of a drag). An idle box with marks off paints nothing.

#include <vector>

namespace kivolt {

struct OverlayLook {
    // The pointer is on the box or a shortcut is dragged: the hover frame or the insertion
    // marker follows it.
    bool followsPointer = false;
    std::vector<bool> runningMarks;  // per Shortcut, in list order; empty while marks are off
};

// `now` as a tick finds it, `painted` as the last paint drew it.
bool tickNeedsRepaint(const OverlayLook& now, const OverlayLook& painted);

}  // namespace kivolt
