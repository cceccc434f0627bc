#include "dialogs/config_dialog_win.h"

#include <commctrl.h>
#include <commdlg.h>

#include <vector>

#include "app/loop_event.h"
#include "dialogs/colour_swatch_win.h"
#include "dialogs/file_filter.h"
#include "dialogs/modal_windows_win.h"
#include "ui/window_system_win.h"

namespace kivolt {
namespace {

namespace c = config_control;

namespace control_class {
inline constexpr char kButton[] = "Button";
inline constexpr char kStatic[] = "Static";
inline constexpr char kComboBox[] = "ComboBox";
inline constexpr char kEdit[] = "Edit";
}  // namespace control_class

constexpr char kTitle[] = "Kivolt - Konfiguration";
constexpr Size kClientSize{470, 300};
constexpr DWORD kStyle = WS_CAPTION | WS_SYSMENU;
constexpr Colour kInitialColour = rgb(205, 205, 205);
constexpr int kDroppedListHeight = 350;

constexpr char kImageRequesterTitle[] = "Hintergrundbild öffnen";
constexpr char kImageFilter[] = "PNG/JPG/BMP|*.png;*.jpg;*.bmp";
constexpr int kPathBufferSize = 260;

enum class Kind { GroupBox, CheckBox, Label, Trackbar, DropDown, Edit, PushButton, Swatch };

struct ControlSpec {
    int id = 0;
    Kind kind = Kind::Label;
    Rect rect;
    const char* text = "";
    int minimum = 0;  // trackbars
    int maximum = 0;
    std::vector<const char*> items = {};  // drop-down lists
};

// In creation order, which is also the tab order.
const std::vector<ControlSpec>& controls() {
    static const std::vector<ControlSpec> table = {
        {1, Kind::GroupBox, {10, 10, 215, 125}, "Allgemein"},
        {c::kAlwaysOnTop, Kind::CheckBox, {20, 30, 195, 20}, "Immer im Vordergrund"},
        {c::kAutostart, Kind::CheckBox, {20, 50, 195, 20}, "Autostart"},
        {c::kAutoHide, Kind::CheckBox, {20, 70, 195, 20}, "Automatisch ausblenden"},
        {c::kMarkRunning, Kind::CheckBox, {20, 90, 195, 20}, "Aktive Programme markieren"},
        {c::kDrawBorder, Kind::CheckBox, {20, 110, 195, 20}, "Rahmen zeichnen"},
        {6, Kind::GroupBox, {240, 10, 220, 125}, "Ansicht"},
        {8, Kind::Label, {250, 33, 80, 20}, "Hintergrundfarbe"},
        {9, Kind::Label, {250, 58, 80, 20}, "Transparenz"},
        {10, Kind::Label, {250, 83, 80, 20}, "Ausrichtung"},
        {11, Kind::Label, {250, 108, 80, 20}, "Icongrösse"},
        {c::kColourSwatch, Kind::Swatch, {335, 30, 100, 20}},
        {c::kTransparency, Kind::Trackbar, {335, 52, 100, 25}, "", 1, 255},
        {c::kTransparencyValue, Kind::Label, {435, 57, 20, 20}},
        {c::kOrientation, Kind::DropDown, {335, 80, 100, 20}, "", 0, 0, {"Vertikal", "Horizontal"}},
        {c::kItemSize, Kind::Trackbar, {335, 105, 100, 25}, "", 16, 64},
        {c::kItemSizeValue, Kind::Label, {435, 110, 20, 20}},
        {21, Kind::GroupBox, {10, 145, 250, 100}, "Hintergrundbild"},
        {c::kShowImage, Kind::CheckBox, {20, 165, 170, 20}, "Hintergrundbild anzeigen"},
        {27, Kind::Label, {20, 190, 60, 20}, "Darstellung"},
        {c::kImageMode, Kind::DropDown, {80, 187, 170, 20}, "", 0, 0,
         {"Zentrieren", "An Fenstergrösse anpassen", "Nebeneinander"}},
        {23, Kind::Label, {20, 217, 30, 20}, "Bild"},
        {c::kImagePath, Kind::Edit, {50, 215, 160, 20}},
        {c::kChooseImage, Kind::PushButton, {220, 215, 30, 20}, "..."},
        {c::kCancel, Kind::PushButton, {10, 260, 100, 30}, "Abbrechen"},
        {c::kApply, Kind::PushButton, {275, 260, 180, 30}, "Übernehmen"},
        {c::kSave, Kind::PushButton, {140, 260, 125, 30}, "Speichern"},
    };
    return table;
}

struct WindowClassAndStyle {
    const char* className;
    DWORD style;
    DWORD exStyle = 0;
};

WindowClassAndStyle classAndStyle(Kind kind) {
    constexpr DWORD kBase = WS_CHILD | WS_VISIBLE | WS_GROUP;
    switch (kind) {
    case Kind::GroupBox:
        return {control_class::kButton, kBase | BS_GROUPBOX};
    case Kind::CheckBox:
        return {control_class::kButton, kBase | BS_AUTOCHECKBOX | WS_TABSTOP};
    case Kind::Trackbar:
        return {TRACKBAR_CLASSA, WS_CHILD | WS_VISIBLE | TBS_HORZ | WS_TABSTOP};
    case Kind::DropDown:
        return {control_class::kComboBox, kBase | CBS_DROPDOWNLIST | WS_BORDER | WS_VSCROLL | WS_TABSTOP};
    case Kind::Edit:
        return {control_class::kEdit, kBase | ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case Kind::PushButton:
        return {control_class::kButton, kBase | BS_PUSHBUTTON | WS_TABSTOP};
    case Kind::Label:
    case Kind::Swatch:
        break;
    }
    return {control_class::kStatic, kBase | SS_LEFT};
}

int windowHeight(HWND hwnd) {
    RECT r;
    GetWindowRect(hwnd, &r);
    return r.bottom - r.top;
}

// A drop-down list's closed height is its selection field plus a frame. How much frame
// the control counts differs between implementations, so the field is corrected by what
// the control really became (once more at most).
void setClosedHeight(HWND list, int height) {
    const LRESULT measured = SendMessageA(list, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
    if (measured == CB_ERR) return;
    int field = static_cast<int>(measured);
    for (int attempt = 0; attempt < 2; ++attempt) {
        const int error = height - windowHeight(list);
        if (error == 0 || field + error < 1) return;
        field += error;
        SendMessageA(list, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
    }
}

// A control that cannot be created is left out; the dialog works without it.
void createControl(WindowSystem& system, HWND dialog, const ControlSpec& spec) {
    if (spec.kind == Kind::Swatch) {
        createColourSwatch(system, dialog, spec.id, spec.rect, kInitialColour);
        return;
    }
    const WindowClassAndStyle cs = classAndStyle(spec.kind);
    const int createdHeight = spec.kind == Kind::DropDown ? kDroppedListHeight : spec.rect.h;
    HWND control = CreateWindowExA(cs.exStyle, cs.className, spec.text, cs.style, spec.rect.x, spec.rect.y, spec.rect.w,
                                   createdHeight, dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(spec.id)),
                                   system.instance(), nullptr);
    if (!control) return;
    // The font first: it changes a drop-down list's height.
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    if (spec.kind == Kind::Trackbar) {
        SendMessageA(control, TBM_SETRANGEMIN, FALSE, spec.minimum);
        SendMessageA(control, TBM_SETRANGEMAX, TRUE, spec.maximum);
        SendMessageA(control, TBM_SETPOS, TRUE, spec.minimum);
    } else if (spec.kind == Kind::DropDown) {
        for (const char* item : spec.items) SendMessageA(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        setClosedHeight(control, spec.rect.h);
    }
}

Point centredOnScreen(Size window) {
    return {(GetSystemMetrics(SM_CXSCREEN) - window.width) / 2, (GetSystemMetrics(SM_CYSCREEN) - window.height) / 2};
}

std::string windowText(HWND hwnd) {
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(hwnd)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

int trackbarPosition(HWND dialog, int id) {
    return static_cast<int>(SendDlgItemMessageA(dialog, id, TBM_GETPOS, 0, 0));
}

void showTrackbarValue(HWND dialog, int trackbar, int label) {
    SetDlgItemTextA(dialog, label, std::to_string(trackbarPosition(dialog, trackbar)).c_str());
}

void setChecked(HWND dialog, int id, int32_t value) {
    CheckDlgButton(dialog, id, value != 0 ? BST_CHECKED : BST_UNCHECKED);
}

int32_t checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED ? 1 : 0; }

// -1 when nothing is selected.
int32_t selection(HWND dialog, int id) {
    return static_cast<int32_t>(SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0));
}

}  // namespace

bool ConfigDialog::open(WindowSystem& system) {
    close();
    TopLevelParams params;
    params.id = kConfigDialog;
    params.title = kTitle;
    params.style = kStyle;
    params.client = kClientSize;
    const Rect frame = windowRectForClient({}, kClientSize, kStyle, 0);
    params.position = centredOnScreen({frame.w, frame.h});
    hwnd_ = system.createTopLevel(params);
    if (!hwnd_) return false;
    for (const ControlSpec& spec : controls()) createControl(system, hwnd_, spec);
    ShowWindow(hwnd_, SW_SHOW);
    return true;
}

bool ConfigDialog::exists() const { return hwnd_ && IsWindow(hwnd_) && windowIdOf(hwnd_) == kConfigDialog; }

HWND ConfigDialog::hwnd() const { return exists() ? hwnd_ : nullptr; }

void ConfigDialog::close() {
    if (exists()) DestroyWindow(hwnd_);
    hwnd_ = nullptr;
}

ConfigAction ConfigDialog::handleControl(int id) {
    if (!exists()) return ConfigAction::None;
    switch (id) {
    case c::kTransparency:
        showTrackbarValue(hwnd_, c::kTransparency, c::kTransparencyValue);
        break;
    case c::kItemSize:
        showTrackbarValue(hwnd_, c::kItemSize, c::kItemSizeValue);
        break;
    case c::kChooseImage:
        if (const std::string path = chooseBackgroundImage(); !path.empty() && exists())
            SetDlgItemTextA(hwnd_, c::kImagePath, path.c_str());
        break;
    case c::kApply:
        return ConfigAction::Apply;
    case c::kSave:
        return ConfigAction::ApplyAndClose;
    case c::kCancel:
        return ConfigAction::Close;
    default:
        break;
    }
    return ConfigAction::None;
}

void fillConfigDialog(const ConfigDialog& dialog, const Settings& s) {
    HWND h = dialog.hwnd();
    if (!h) return;
    setChecked(h, c::kAlwaysOnTop, s.alwaysOnTop);
    setChecked(h, c::kAutostart, s.autostart);
    setChecked(h, c::kAutoHide, s.autoHide);
    setChecked(h, c::kMarkRunning, s.markRunning);
    setChecked(h, c::kDrawBorder, s.drawBorder);
    setSwatchColour(h, c::kColourSwatch, s.backgroundColour);
    SendDlgItemMessageA(h, c::kTransparency, TBM_SETPOS, TRUE, s.transparency);
    SendDlgItemMessageA(h, c::kOrientation, CB_SETCURSEL, static_cast<WPARAM>(s.orientation), 0);
    SendDlgItemMessageA(h, c::kItemSize, TBM_SETPOS, TRUE, s.itemSize);
    setChecked(h, c::kShowImage, s.showBackgroundImage);
    SendDlgItemMessageA(h, c::kImageMode, CB_SETCURSEL, static_cast<WPARAM>(s.backgroundMode), 0);
    SetDlgItemTextA(h, c::kImagePath, s.backgroundImagePath.c_str());
    // Read back from the trackbars, which keep a value within their range.
    showTrackbarValue(h, c::kItemSize, c::kItemSizeValue);
    showTrackbarValue(h, c::kTransparency, c::kTransparencyValue);
}

ConfigValues readConfigDialog(const ConfigDialog& dialog) {
    ConfigValues v;
    HWND h = dialog.hwnd();
    if (!h) return v;
    v.alwaysOnTop = checked(h, c::kAlwaysOnTop);
    v.autostart = checked(h, c::kAutostart);
    v.autoHide = checked(h, c::kAutoHide);
    v.markRunning = checked(h, c::kMarkRunning);
    v.drawBorder = checked(h, c::kDrawBorder);
    v.orientation = selection(h, c::kOrientation);
    v.itemSize = trackbarPosition(h, c::kItemSize);
    v.transparency = trackbarPosition(h, c::kTransparency);
    v.backgroundColour = swatchColour(h, c::kColourSwatch);
    v.backgroundImagePath = windowText(GetDlgItem(h, c::kImagePath));
    v.showBackgroundImage = checked(h, c::kShowImage);
    v.backgroundMode = selection(h, c::kImageMode);
    return v;
}

std::string chooseBackgroundImage() {
    const std::string filter = fileDialogFilter(kImageFilter);
    char path[kPathBufferSize] = {};
    OPENFILENAMEA request{};
    request.lStructSize = sizeof(request);
    request.hwndOwner = programForegroundWindow();
    request.lpstrFilter = filter.c_str();
    request.nFilterIndex = 1;
    request.lpstrFile = path;
    request.nMaxFile = kPathBufferSize;
    request.lpstrTitle = kImageRequesterTitle;
    request.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
    const ModalWindowsScope keepInFront(request.hwndOwner);
    if (!GetOpenFileNameA(&request)) return "";
    return path;
}

}  // namespace kivolt
