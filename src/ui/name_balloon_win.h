#pragma once
// The dark balloon that shows a shortcut's name while the pointer rests on its icon.

#include <windows.h>

#include <string>

#include "ui/balloon_geometry.h"
#include "ui/window_system_win.h"

namespace kivolt {

// Outside the ids of the box and the dialogs; the main loop ignores its notifications.
inline constexpr int kBalloonCanvasId = 38;

// Tahoma, 10 points, normal weight, for the balloon's text.
HFONT createBalloonFont();

class NameBalloon {
public:
    NameBalloon(WindowSystem& system, HFONT font) : system_(system), font_(font) {}
    ~NameBalloon() { close(); }
    NameBalloon(const NameBalloon&) = delete;
    NameBalloon& operator=(const NameBalloon&) = delete;

    // The balloon goes with the MainWindow that owns it.
    bool exists() const { return hwnd_ && windowIdOf(hwnd_) == kNameBalloon; }
    HWND hwnd() const { return exists() ? hwnd_ : nullptr; }

    // Opens the balloon for `name`; `input.textWidth` and `input.measured` are filled here.
    void show(HWND mainWindow, BalloonInput input, const std::string& name);
    void close();

private:
    WindowSystem& system_;
    HFONT font_;  // borrowed from the app
    HWND hwnd_ = nullptr;
};

}  // namespace kivolt
