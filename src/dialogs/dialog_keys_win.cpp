#include "dialogs/dialog_keys_win.h"

#include "ui/window_system_win.h"

namespace kivolt {
namespace {

bool isOurDialog(HWND hwnd) {
    const int id = windowIdOf(hwnd);
    return id == kConfigDialog || id == kPropertiesDialog;
}

// The dialog's direct child that holds the focus (or contains the window that does).
HWND focusedControl(HWND dialog) {
    HWND focus = GetFocus();
    if (!focus || !IsChild(dialog, focus)) return nullptr;
    while (GetParent(focus) != dialog) focus = GetParent(focus);
    return focus;
}

}  // namespace

bool handleDialogKeys(MSG& msg) {
    if (msg.message != WM_KEYDOWN || msg.wParam != VK_TAB) return false;
    HWND dialog = GetActiveWindow();
    if (!isOurDialog(dialog) || (msg.hwnd != dialog && !IsChild(dialog, msg.hwnd))) return false;
    const bool backwards = GetKeyState(VK_SHIFT) < 0;
    // Siblings are kept in creation order, which is the tab order.
    if (HWND next = GetNextDlgTabItem(dialog, focusedControl(dialog), backwards)) SetFocus(next);
    return true;
}

}  // namespace kivolt
