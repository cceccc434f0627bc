#include "dialogs/dialog_keys_win.h"

namespace kivolt {

namespace {

bool isKeyMessage(UINT message) { return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_CHAR; }

bool isEnterOrEscape(const MSG& msg) {
    return isKeyMessage(msg.message) && (msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE);
}

// An open drop-down list wants Enter and Escape to close its list.
bool focusWantsKey(MSG& msg) {
    const LRESULT code = SendMessageA(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg));
    return (code & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) != 0;
}

}  // namespace

bool routeDialogKey(HWND dialog, MSG& msg) {
    if (!dialog || (msg.hwnd != dialog && !IsChild(dialog, msg.hwnd))) return false;
    // The dialog manager would turn these into IDOK / IDCANCEL or click the focused button.
    if (isEnterOrEscape(msg)) return !focusWantsKey(msg);
    return IsDialogMessageA(dialog, &msg) != FALSE;
}

}  // namespace kivolt
