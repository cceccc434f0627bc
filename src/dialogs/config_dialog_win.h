#pragma once
// The modeless configuration dialog (window 2): its window and controls, the value labels
// that follow the two trackbars, the image requester, and filling and reading the controls.

#include <windows.h>

#include <string>

#include "settings/apply_settings.h"
#include "settings/settings.h"

namespace kivolt {

class WindowSystem;

// Control ids of the dialog, in the program-wide id space.
namespace config_control {
inline constexpr int kAlwaysOnTop = 2;
inline constexpr int kAutostart = 3;
inline constexpr int kAutoHide = 4;
inline constexpr int kDrawBorder = 5;
inline constexpr int kMarkRunning = 7;
inline constexpr int kItemSizeValue = 12;
inline constexpr int kTransparencyValue = 13;
inline constexpr int kColourSwatch = 14;
inline constexpr int kTransparency = 15;
inline constexpr int kOrientation = 16;
inline constexpr int kItemSize = 17;
inline constexpr int kCancel = 18;
inline constexpr int kApply = 19;
inline constexpr int kSave = 20;
inline constexpr int kShowImage = 22;
inline constexpr int kImagePath = 24;
inline constexpr int kChooseImage = 25;
inline constexpr int kImageMode = 26;
}  // namespace config_control

// What the program must do after a control of the dialog reported something.
enum class ConfigAction { None, Apply, ApplyAndClose, Close };

class ConfigDialog {
public:
    ConfigDialog() = default;
    ~ConfigDialog() { close(); }
    ConfigDialog(const ConfigDialog&) = delete;
    ConfigDialog& operator=(const ConfigDialog&) = delete;

    // Closes an open dialog, then shows a fresh one, centred, with every control in its
    // initial state (boxes clear, trackbars at their minimum, no list selection, empty
    // texts, the swatch grey). False when the window cannot be created.
    bool open(WindowSystem& system);
    // The main loop may have destroyed the window on its close request.
    bool exists() const;
    // Null while the dialog does not exist.
    HWND hwnd() const;
    // The dialog's own reaction to a notification of control `id`: the value labels
    // follow their trackbars, "..." asks for an image. The rest is the caller's.
    ConfigAction handleControl(int id);
    void close();

private:
    HWND hwnd_ = nullptr;
};

// Sets every control from the settings, then the value labels from the trackbars
// (icon size first, then transparency).
void fillConfigDialog(const ConfigDialog& dialog, const Settings& settings);

// The values the controls hold; defaults when the dialog does not exist.
ConfigValues readConfigDialog(const ConfigDialog& dialog);

// The system file requester for a background image: the chosen full path, or "" when it
// was cancelled.
std::string chooseBackgroundImage();

}  // namespace kivolt
