#pragma once
// The modeless PropertiesDialog (window 3): name, parameters, RunMode and the
// administrator request of one Shortcut.

#include <windows.h>

#include <string>

#include "model/shortcut_list.h"
#include "ui/window_system_win.h"

namespace kivolt {

namespace properties_control {
inline constexpr int kRunAsAdmin = 28;
inline constexpr int kRunMode = 29;
inline constexpr int kParameters = 30;
inline constexpr int kName = 31;
inline constexpr int kNameLabel = 32;
inline constexpr int kParametersLabel = 33;
inline constexpr int kRunModeLabel = 34;
inline constexpr int kCancel = 35;
inline constexpr int kSave = 36;
}  // namespace properties_control

class PropertiesDialog {
public:
    PropertiesDialog() = default;
    ~PropertiesDialog() { close(); }
    PropertiesDialog(const PropertiesDialog&) = delete;
    PropertiesDialog& operator=(const PropertiesDialog&) = delete;

    // Closes an open dialog unsaved, then opens one for the Shortcut at index, which
    // becomes the target index. Nothing changes when index names no Shortcut; false
    // then or when the window cannot be created.
    bool open(WindowSystem& windows, ShortcutList& shortcuts, int index);

    // A notification of one of the dialog's controls: "Speichern" (36) stores and closes,
    // "Abbrechen" (35) closes; other ids are not this dialog's buttons and are ignored.
    // True when values were stored into the Shortcut.
    bool handleControl(int id);

    // Closes without storing (also the answer to the dialog's close request).
    void close();

    bool exists() const;
    HWND hwnd() const { return exists() ? hwnd_ : nullptr; }

    // List position the dialog was opened for; -1 once its values were stored.
    int targetIndex() const { return targetIndex_; }

private:
    bool store();
    Shortcut* liveTarget() const;

    HWND hwnd_ = nullptr;
    ShortcutList* shortcuts_ = nullptr;
    // Bound to the Shortcut, not its position: elements of the list never move in memory,
    // and a removed one is no longer found in the list. The path (never edited) guards
    // against a new Shortcut that was given the memory of a removed one.
    const Shortcut* target_ = nullptr;
    std::string targetPath_;
    int targetIndex_ = 0;
};

}  // namespace kivolt
