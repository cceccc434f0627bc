#include "dialogs/context_menu_win.h"

#include "dialogs/menu_commands.h"

namespace kivolt {

namespace {

constexpr int kSeparator = -1;

struct MenuItem {
    int id;
    const char* text;
};

// Display order; the ids are not in that order, the dispatch goes by id.
constexpr MenuItem kItems[] = {
    {kMenuOpen, "Öffnen"},
    {kMenuOpenFolder, "Dateipfad öffnen"},
    {kMenuCopyPath, "Dateipfad kopieren"},
    {kMenuRemove, "Verknüpfung entfernen"},
    {kMenuProperties, "Eigenschaften"},
    {kSeparator, nullptr},
    {kMenuPin, "Kivolt fixieren"},
    {kMenuSettings, "Einstellungen"},
    {kSeparator, nullptr},
    {kMenuQuit, "Beenden"},
};

}  // namespace

UniqueMenu createContextMenu() {
    UniqueMenu menu(CreatePopupMenu());
    if (!menu) return menu;
    for (const MenuItem& item : kItems) {
        if (item.id == kSeparator)
            AppendMenuA(menu.get(), MF_SEPARATOR, 0, nullptr);
        else
            AppendMenuA(menu.get(), MF_STRING, static_cast<UINT_PTR>(item.id), item.text);
    }
    return menu;
}

void showContextMenu(HMENU menu, HWND mainWindow) {
    if (!menu) return;
    POINT pointer{};
    GetCursorPos(&pointer);
    SetForegroundWindow(mainWindow);
    TrackPopupMenu(menu, TPM_RIGHTBUTTON, pointer.x - 1, pointer.y - 1, 0, mainWindow, nullptr);
}

void setPinnedCheck(HMENU menu, int state) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STATE;
    if (!GetMenuItemInfoA(menu, kMenuPin, FALSE, &info)) return;
    if (state)
        info.fState |= MFS_CHECKED;
    else
        info.fState &= ~static_cast<UINT>(MFS_CHECKED);
    SetMenuItemInfoA(menu, kMenuPin, FALSE, &info);
}

}  // namespace kivolt
