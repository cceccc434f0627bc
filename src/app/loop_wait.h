#pragma once
// How long the main loop may sleep before its next pass. It polls only while something the
// tail follows can change with no message to wake it: the pointer on the box (hover, balloon,
// cursor, the pointer leaving), a button held or a drag, the settings dialog (its colour
// swatch follows the pointer and the button). Auto-hide looks for the pointer now and then
// while the box is hidden, as no mouse message comes from a hidden box. Otherwise the loop
// sleeps until input, a timer (the RedrawTimer, the save timer) or a sent message arrives.

#include <optional>

namespace kivolt {

struct LoopActivity {
    bool pointerOnBox = false;      // inside the box's rectangle
    bool mouseCaptured = false;     // a button pressed on one of the program's windows is down
    bool pressOrDrag = false;       // a press on a shortcut, or a drag of one
    bool configDialogOpen = false;
    bool hiddenByAutoHide = false;  // auto-hide is on and the box is hidden
};

inline constexpr int kPollMs = 2;
inline constexpr int kHiddenWatchMs = 100;

// Milliseconds to wait at most; none: until something arrives.
std::optional<int> loopWaitMs(const LoopActivity& activity);

}  // namespace kivolt
