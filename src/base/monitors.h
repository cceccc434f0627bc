#pragma once
// The display monitors the box can stand on, as rectangles, and the choices made over them:
// which monitor holds the box, and where a box that lies on none starts.

#include <span>

#include "base/types.h"

namespace kivolt {

// One monitor in the coordinates the program's windows live in. The program is not DPI
// aware, so on a scaled display these are Windows' scaled coordinates, not device pixels.
struct Monitor {
    Rect bounds;
    Rect workArea;  // without the taskbar and docked toolbars
    friend bool operator==(const Monitor&, const Monitor&) = default;
};

// The monitor that holds `box`, chosen as MonitorFromRect with MONITOR_DEFAULTTONEAREST
// chooses it: the one the box overlaps most; for a box on no monitor, the nearest one. On
// a tie the earlier monitor wins. `monitors` must not be empty.
Monitor monitorFor(std::span<const Monitor> monitors, const Rect& box);

// Where the box opens: where it was stored, unless it lies on no monitor (one that was
// unplugged, or a hand-edited position); then fully inside the nearest work area.
Point startPosition(std::span<const Monitor> monitors, const Rect& box);

}  // namespace kivolt
