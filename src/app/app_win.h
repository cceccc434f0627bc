#pragma once
// The application: start-up, the main loop with its dispatch and per-pass tail, and the
// quit path. All state of the running box lives here.

#include <windows.h>
#include <ole2.h>

#include <optional>
#include <string>

#include "app/loop_event.h"
#include "app/loop_wait.h"
#include "app/redraw_tick.h"
#include "app/save_schedule.h"
#include "base/types.h"
#include "dialogs/config_dialog_win.h"
#include "dialogs/context_menu_win.h"
#include "dialogs/menu_commands.h"
#include "dialogs/properties_dialog_win.h"
#include "model/grid.h"
#include "model/shortcut_edit.h"
#include "model/shortcut_list.h"
#include "settings/apply_settings.h"
#include "settings/settings.h"
#include "shell/drop_target_win.h"
#include "shell/running_programs.h"
#include "ui/gdi_handles_win.h"
#include "ui/icons_win.h"
#include "ui/image.h"
#include "ui/name_balloon_win.h"
#include "ui/stretched_picture.h"
#include "ui/window_pair_win.h"
#include "ui/window_system_win.h"

namespace kivolt {

// OleInitialize for the GUI thread; OleUninitialize only after it succeeded.
class OleScope {
public:
    OleScope() : initialised_(SUCCEEDED(OleInitialize(nullptr))) {}
    ~OleScope() {
        if (initialised_) OleUninitialize();
    }
    OleScope(const OleScope&) = delete;
    OleScope& operator=(const OleScope&) = delete;

private:
    bool initialised_;
};

class App : private ApplyTarget {
public:
    explicit App(HINSTANCE instance);
    ~App() override;
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    // Runs the program from start-up to exit; the exit code is always 0.
    int run();

private:
    bool startUp();
    void runLoop();
    LoopActivity activity() const;
    void dispatch(const LoopEvent& event);
    void tail(const LoopEvent& event);

    // Saving the box (position, pin state, shortcuts, and applied options the file could not
    // take at the time): after a change from the main loop's dispatch, never inside a modal
    // loop; inside WM_ENDSESSION, as the session ends; and at quit.
    bool saveBox();
    bool saveOptions();
    void scheduleSave();
    void saveNow();
    void onSaveTimer();
    void armSaveTimer();
    void noticeMove();

    // Pointer handlers.
    void onLeftPress();
    void onPointerMove();
    void onLeftRelease();
    void onRightPress();
    void onRightRelease();
    void updateCursor();

    void onMenuCommand(int id);
    void onControl(const LoopEvent& event);
    void onFilesDropped(const DroppedFiles& drop);

    void loadSettings();
    void openSettings();
    void onConfigControl(int id);

    // What applying the settings does to the box.
    void setWindowColour(Colour colour) override;
    void releaseBackgroundImage() override;
    void loadBackgroundImage(const std::string& path) override;
    void layoutWindows() override;
    void setTopmost(bool topmost) override;
    void rerenderIcons() override;
    void setAlpha(int alpha) override;
    void updateAutostartLink(int autostart) override;
    void setRedraw() override;

    void updateNameBalloon();
    void paintOverlay();
    void onRedrawTick();
    std::optional<RunningPrograms> runningPrograms() const;
    OverlayLook overlayLook(const std::optional<RunningPrograms>& running) const;
    void paintBackground();
    void releaseShortcutIcons();

    bool dialogInFront() const;
    void setOverlayCursor(int index);
    int overlayCursor() const;
    Point pointer() const;  // MainWindow client coordinates, (-1, -1) outside
    bool pointerOnBox() const;
    GridShape gridShape() const;
    ShortcutContext shortcutContext();

    HINSTANCE instance_;
    OleScope ole_;
    WindowSystem windows_;
    ShortcutList shortcuts_;
    Settings settings_;
    std::optional<Image> backgroundImage_;
    StretchedPicture stretchedBackground_;  // forgotten whenever backgroundImage_ changes
    std::optional<ShellIcons> icons_;
    UniqueFont balloonFont_;
    std::optional<NameBalloon> balloon_;
    WindowPair pair_;
    UniqueMenu menu_;
    std::optional<FileDropRegistration> drop_;  // revoked before the windows go
    PropertiesDialog properties_;
    ConfigDialog config_;

    std::string appDataDir_;
    std::string prefsPath_;

    bool redrawFlag_ = false;
    OverlayLook painted_;  // what the last paint showed that a tick may find changed
    bool pinnedFlag_ = false;
    bool draggingFlag_ = false;
    int pressedIndex_ = -1;
    Point pressPoint_;
    int menuTargetIndex_ = 0;
    int hoveredIndex_ = 0;
    int lastHoveredIndex_ = 0;
    bool quitFlag_ = false;
    // The file could not be read whole at start: it is never written over in this run.
    bool prefsUnread_ = false;
    bool optionsUnsaved_ = false;  // applied, but the file could not take them yet
    SaveSchedule saves_;
    Point lastPosition_;  // of the MainWindow, as the last pass saw it
};

}  // namespace kivolt
