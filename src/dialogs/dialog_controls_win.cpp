#include "dialogs/dialog_controls_win.h"

#include <commctrl.h>

namespace kivolt {

namespace {

constexpr int kOpenListHeight = 350;

struct KindTraits {
    const char* className;
    DWORD style;
    DWORD exStyle = 0;
};

KindTraits traitsOf(ControlKind kind) {
    constexpr DWORD kCommon = WS_CHILD | WS_VISIBLE | WS_GROUP;
    switch (kind) {
    case ControlKind::StaticText:
        return {"Static", kCommon | SS_LEFT};
    case ControlKind::GroupBox:
        return {"Button", kCommon | BS_GROUPBOX};
    case ControlKind::Edit:
        return {"Edit", kCommon | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case ControlKind::DropDownList:
        return {"ComboBox", kCommon | WS_TABSTOP | WS_BORDER | WS_VSCROLL | CBS_DROPDOWNLIST};
    case ControlKind::CheckBox:
        return {"Button", kCommon | WS_TABSTOP | BS_AUTOCHECKBOX};
    case ControlKind::PushButton:
        return {"Button", kCommon | WS_TABSTOP | BS_PUSHBUTTON};
    case ControlKind::Trackbar:
        return {TRACKBAR_CLASSA, WS_CHILD | WS_VISIBLE | WS_TABSTOP | TBS_HORZ};
    }
    return {"Static", kCommon};
}

int windowHeight(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return r.bottom - r.top;
}

// The closed height of a combo box follows its selection field, plus a border that
// differs between systems (and the field reads back larger than it was set under Wine).
// The height grows one for one with the field, so one measured correction lands on it.
void setClosedHeight(HWND list, int height) {
    LRESULT field = SendMessageA(list, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
    if (field == CB_ERR) return;
    for (int attempt = 0; attempt < 2; ++attempt) {
        const int difference = height - windowHeight(list);
        if (difference == 0 || field + difference <= 0) return;
        field += difference;
        SendMessageA(list, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
    }
}

}  // namespace

HWND createControl(HWND parent, const ControlSpec& row) {
    const KindTraits traits = traitsOf(row.kind);
    const bool isList = row.kind == ControlKind::DropDownList;
    const int createdHeight = isList ? kOpenListHeight : row.rect.h;
    HWND hwnd = CreateWindowExA(traits.exStyle, traits.className, row.text, traits.style, row.rect.x, row.rect.y,
                                row.rect.w, createdHeight, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)),
                                reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE)), nullptr);
    if (!hwnd) return nullptr;
    // The font first: it changes a drop-down list's height.
    SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    if (row.kind == ControlKind::Trackbar) {
        SendMessageA(hwnd, TBM_SETRANGEMIN, FALSE, row.minimum);
        SendMessageA(hwnd, TBM_SETRANGEMAX, TRUE, row.maximum);
        SendMessageA(hwnd, TBM_SETPOS, TRUE, row.minimum);
    } else if (isList) {
        for (const char* item : row.items) SendMessageA(hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        setClosedHeight(hwnd, row.rect.h);
    }
    return hwnd;
}

std::string windowText(HWND hwnd) {
    const int length = GetWindowTextLengthA(hwnd);
    if (length <= 0) return {};
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(hwnd, text.data(), length + 1);
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

}  // namespace kivolt
