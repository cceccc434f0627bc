#include "dialogs/config_dialog_win.h"

#include <commctrl.h>
#include <commdlg.h>

#include <vector>

#include "app/loop_event.h"
#include "dialogs/colour_swatch_win.h"
#include "dialogs/dialog_controls_win.h"
#include "dialogs/file_filter.h"
#include "dialogs/modal_windows_win.h"
#include "ui/window_system_win.h"

namespace kivolt {
namespace {

namespace c = config_control;

constexpr char kTitle[] = "Kivolt - Konfiguration";
constexpr Size kClientSize{470, 300};
constexpr DWORD kStyle = WS_CAPTION | WS_SYSMENU;
constexpr Colour kInitialColour = rgb(205, 205, 205);
constexpr Rect kSwatchRect{335, 30, 100, 20};

constexpr char kImageRequesterTitle[] = "Hintergrundbild öffnen";
constexpr char kImageFilter[] = "PNG/JPG/BMP|*.png;*.jpg;*.bmp";
constexpr int kPathBufferSize = 260;

using Kind = ControlKind;

// Creation order is also the tab order: these controls, the colour swatch, then the rest.
const std::vector<ControlSpec>& controlsBeforeSwatch() {
    static const std::vector<ControlSpec> table = {
        {1, Kind::GroupBox, {10, 10, 215, 125}, "Allgemein"},
        {c::kAlwaysOnTop, Kind::CheckBox, {20, 30, 195, 20}, "Immer im Vordergrund"},
        {c::kAutostart, Kind::CheckBox, {20, 50, 195, 20}, "Autostart"},
        {c::kAutoHide, Kind::CheckBox, {20, 70, 195, 20}, "Automatisch ausblenden"},
        {c::kMarkRunning, Kind::CheckBox, {20, 90, 195, 20}, "Aktive Programme markieren"},
        {c::kDrawBorder, Kind::CheckBox, {20, 110, 195, 20}, "Rahmen zeichnen"},
        {6, Kind::GroupBox, {240, 10, 220, 125}, "Ansicht"},
        {8, Kind::StaticText, {250, 33, 80, 20}, "Hintergrundfarbe"},
        {9, Kind::StaticText, {250, 58, 80, 20}, "Transparenz"},
        {10, Kind::StaticText, {250, 83, 80, 20}, "Ausrichtung"},
        {11, Kind::StaticText, {250, 108, 80, 20}, "Icongrösse"},
    };
    return table;
}

const std::vector<ControlSpec>& controlsAfterSwatch() {
    static const std::vector<ControlSpec> table = {
        {c::kTransparency, Kind::Trackbar, {335, 52, 100, 25}, "", {}, 1, 255},
        {c::kTransparencyValue, Kind::StaticText, {435, 57, 20, 20}},
        {c::kOrientation, Kind::DropDownList, {335, 80, 100, 20}, "", {"Vertikal", "Horizontal"}},
        {c::kItemSize, Kind::Trackbar, {335, 105, 100, 25}, "", {}, 16, 64},
        {c::kItemSizeValue, Kind::StaticText, {435, 110, 20, 20}},
        {21, Kind::GroupBox, {10, 145, 250, 100}, "Hintergrundbild"},
        {c::kShowImage, Kind::CheckBox, {20, 165, 170, 20}, "Hintergrundbild anzeigen"},
        {27, Kind::StaticText, {20, 190, 60, 20}, "Darstellung"},
        {c::kImageMode, Kind::DropDownList, {80, 187, 170, 20}, "",
         {"Zentrieren", "An Fenstergrösse anpassen", "Nebeneinander"}},
        {23, Kind::StaticText, {20, 217, 30, 20}, "Bild"},
        {c::kImagePath, Kind::Edit, {50, 215, 160, 20}},
        {c::kChooseImage, Kind::PushButton, {220, 215, 30, 20}, "..."},
        {c::kCancel, Kind::PushButton, {10, 260, 100, 30}, "Abbrechen"},
        {c::kApply, Kind::PushButton, {275, 260, 180, 30}, "Übernehmen"},
        {c::kSave, Kind::PushButton, {140, 260, 125, 30}, "Speichern"},
    };
    return table;
}

// A control that cannot be created is left out; the dialog works without it.
void createControls(WindowSystem& system, HWND dialog) {
    for (const ControlSpec& row : controlsBeforeSwatch()) createControl(dialog, row);
    createColourSwatch(system, dialog, c::kColourSwatch, kSwatchRect, kInitialColour);
    for (const ControlSpec& row : controlsAfterSwatch()) createControl(dialog, row);
}

Point centredOnScreen(Size window) {
    return {(GetSystemMetrics(SM_CXSCREEN) - window.width) / 2, (GetSystemMetrics(SM_CYSCREEN) - window.height) / 2};
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
    createControls(system, hwnd_);
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
