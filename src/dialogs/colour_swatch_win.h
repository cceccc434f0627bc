#pragma once
// The colour swatch button: a CanvasControl that shows a colour in a flat, raised or
// sunken frame and opens the system colour dialog when clicked. Its record lives in the
// control's user data.

#include <windows.h>

#include <optional>

#include "app/loop_event.h"
#include "base/types.h"

namespace kivolt {

class WindowSystem;

// Creates the control and its record; the control stays white until the first update.
// Returns the control id, or -1 when the control cannot be created.
int createColourSwatch(WindowSystem& system, HWND parent, int controlId, Rect rect, Colour colour);

// The colour of the swatch with this id in `parent`; 0 when there is none.
Colour swatchColour(HWND parent, int controlId);
// Stores the colour; the next update shows it.
void setSwatchColour(HWND parent, int controlId, Colour colour);

// Called on every main-loop pass: handles the event if it is a notification of this
// control, then repaints the swatch in window `windowId`. 1 when a new colour was chosen.
int updateColourSwatch(int controlId, const LoopEvent& event, int windowId);

// The system colour dialog, opened on `current`; nothing when it was cancelled.
std::optional<Colour> chooseColour(Colour current);

}  // namespace kivolt
