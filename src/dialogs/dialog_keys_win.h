#pragma once
// Tab and Shift+Tab in the program's modeless dialogs. There is no dialog manager in the
// way: Enter and Escape reach the focused control like any other key (an open drop-down
// list closes on them), so they neither close a dialog nor turn into commands.

#include <windows.h>

namespace kivolt {

// The main loop's key filter. When the active window is the ConfigDialog or the
// PropertiesDialog, Tab moves the focus to the next enabled tab stop in creation order
// and Shift+Tab to the previous one, wrapping at the ends. True when it consumed `msg`.
bool handleDialogKeys(MSG& msg);

}  // namespace kivolt
