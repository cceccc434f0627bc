#pragma once
// Keyboard handling of the modeless dialogs: Tab and Shift+Tab move the focus, while
// Enter and Escape neither close a dialog nor reach it as a command.

#include <windows.h>

namespace kivolt {

// True when msg, taken from the queue for `dialog` or one of its controls, was handled
// here and must not be translated and dispatched.
bool routeDialogKey(HWND dialog, MSG& msg);

}  // namespace kivolt
