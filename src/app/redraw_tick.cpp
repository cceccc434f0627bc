#include "app/redraw_tick.h"

namespace kivolt {

// A frame the last paint drew where the pointer was is cleared by the next tick too.
bool tickNeedsRepaint(const OverlayLook& now, const OverlayLook& painted) {
    return now.followsPointer || painted.followsPointer || now.runningMarks != painted.runningMarks;
}

}  // namespace kivolt
