#pragma once
// The box's popup menu. A chosen item is posted to the MainWindow as WM_COMMAND with
// lParam 0, which the window system turns into a MenuCommand event.

#include <windows.h>

#include "base/unique_handle_win.h"

namespace kivolt {

struct MenuTraits {
    using Type = HMENU;
    static Type invalid() { return nullptr; }
    static void close(Type h) { DestroyMenu(h); }
};
using UniqueMenu = Unique<MenuTraits>;

// The menu with its items in display order; empty when the popup cannot be created.
UniqueMenu createContextMenu();

// Opens the menu with its corner one pixel up and left of the pointer and returns when
// tracking ends; the choice arrives later as a MenuCommand event.
void showContextMenu(HMENU menu, HWND mainWindow);

// The check mark of "Kivolt fixieren": shown for a non-zero state.
void setPinnedCheck(HMENU menu, int state);

}  // namespace kivolt
