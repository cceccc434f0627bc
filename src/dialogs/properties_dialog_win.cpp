#include "dialogs/properties_dialog_win.h"

#include <string>
#include <vector>

#include "base/text.h"
#include "dialogs/dialog_controls_win.h"

namespace kivolt {

namespace {

namespace pc = properties_control;

constexpr Size kClientSize{280, 190};
constexpr DWORD kStyle = WS_CAPTION | WS_SYSMENU;
constexpr char kTitleSuffix[] = " - Eigenschaften";

Point centredOnScreen(Size client) {
    const Rect outer = windowRectForClient({}, client, kStyle, 0);
    return {(GetSystemMetrics(SM_CXSCREEN) - outer.w) / 2, (GetSystemMetrics(SM_CYSCREEN) - outer.h) / 2};
}

// In creation order, which is also the tab order; the buttons sit in the lower right corner.
std::vector<ControlSpec> controlsFor(const Shortcut& shortcut, Size client) {
    using Kind = ControlKind;
    return {
        {pc::kNameLabel, Kind::StaticText, {10, 13, 100, 20}, "Angezeigter Name:"},
        {pc::kName, Kind::Edit, {110, 10, 160, 20}, shortcut.name.c_str()},
        {pc::kParametersLabel, Kind::StaticText, {10, 43, 100, 20}, "Parameter:"},
        {pc::kParameters, Kind::Edit, {110, 40, 160, 20}, shortcut.parameters.c_str()},
        {pc::kRunModeLabel, Kind::StaticText, {10, 73, 100, 20}, "Ausführung:"},
        {pc::kRunMode, Kind::DropDownList, {110, 70, 160, 20}, "", {"Normales Fenster", "Minimiert", "Maximiert"}},
        {pc::kRunAsAdmin, Kind::CheckBox, {10, 100, 150, 20}, "Als Administrator ausführen"},
        {pc::kSave, Kind::PushButton, {client.width - 100, client.height - 40, 90, 30}, "Speichern"},
        {pc::kCancel, Kind::PushButton, {client.width - 200, client.height - 40, 90, 30}, "Abbrechen"},
    };
}

Size clientSize(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return {client.right - client.left, client.bottom - client.top};
}

void createControls(HWND dialog, const Shortcut& shortcut) {
    for (const ControlSpec& row : controlsFor(shortcut, clientSize(dialog))) createControl(dialog, row);
    // A RunMode outside the three items leaves the list without a selection.
    if (shortcut.runMode >= 0 && shortcut.runMode <= 2)
        SendDlgItemMessageA(dialog, pc::kRunMode, CB_SETCURSEL, static_cast<WPARAM>(shortcut.runMode), 0);
    CheckDlgButton(dialog, pc::kRunAsAdmin, shortcut.runAsAdmin ? BST_CHECKED : BST_UNCHECKED);
    // Parameters, show state and elevation only mean something for a program.
    if (!isExecutablePath(shortcut.path))
        for (int id : {pc::kParameters, pc::kRunMode, pc::kRunAsAdmin}) EnableWindow(GetDlgItem(dialog, id), FALSE);
}

}  // namespace

bool PropertiesDialog::open(WindowSystem& windows, ShortcutList& shortcuts, int index) {
    if (index < 0 || index >= shortcuts.count()) return false;
    const Shortcut* shortcut = shortcuts.selectAt(index);
    close();
    const std::string title = shortcut->name + kTitleSuffix;
    TopLevelParams params;
    params.id = kPropertiesDialog;
    params.title = title.c_str();
    params.style = kStyle;
    params.position = centredOnScreen(kClientSize);
    params.client = kClientSize;
    HWND dialog = windows.createTopLevel(params);
    if (!dialog) return false;
    createControls(dialog, *shortcut);
    ShowWindow(dialog, SW_SHOWNORMAL);
    hwnd_ = dialog;
    shortcuts_ = &shortcuts;
    target_ = shortcut;
    targetPath_ = shortcut->path;
    targetIndex_ = index;
    return true;
}

bool PropertiesDialog::handleControl(int id) {
    if (!exists()) return false;
    bool stored = false;
    if (id == pc::kSave) {
        stored = store();
        targetIndex_ = -1;
        close();
    } else if (id == pc::kCancel) {
        close();
    }
    return stored;
}

void PropertiesDialog::close() {
    if (exists()) DestroyWindow(hwnd_);
    hwnd_ = nullptr;
    shortcuts_ = nullptr;
    target_ = nullptr;
    targetPath_.clear();
}

bool PropertiesDialog::exists() const { return hwnd_ && IsWindow(hwnd_); }

Shortcut* PropertiesDialog::liveTarget() const {
    if (!shortcuts_) return nullptr;
    for (Shortcut& shortcut : *shortcuts_)
        if (&shortcut == target_) return shortcut.path == targetPath_ ? &shortcut : nullptr;
    return nullptr;
}

// Disabled controls are read too: they still hold what the dialog opened with.
bool PropertiesDialog::store() {
    Shortcut* shortcut = liveTarget();
    if (!shortcut) return false;  // removed while the dialog was open
    shortcut->runAsAdmin = IsDlgButtonChecked(hwnd_, pc::kRunAsAdmin) == BST_CHECKED ? 1 : 0;
    shortcut->runMode = static_cast<int>(SendDlgItemMessageA(hwnd_, pc::kRunMode, CB_GETCURSEL, 0, 0));
    shortcut->parameters = windowText(GetDlgItem(hwnd_, pc::kParameters));
    shortcut->name = windowText(GetDlgItem(hwnd_, pc::kName));
    return true;
}

}  // namespace kivolt
