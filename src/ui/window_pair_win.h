#pragma once
// The box: a translucent MainWindow (background) under a colour-keyed OverlayWindow (icons),
// both owned by a hidden OwnerWindow so the box has no taskbar button.

#include <windows.h>

#include <functional>

#include "base/types.h"
#include "ui/canvas_control_win.h"
#include "ui/window_system_win.h"

namespace kivolt {

inline constexpr int kOverlayCanvasId = 0;
inline constexpr int kBackgroundCanvasId = 37;
inline constexpr UINT_PTR kRedrawTimerId = 1;
inline constexpr UINT kRedrawPeriodMs = 500;
inline constexpr int kBoxCorner = 13;

namespace window_title {
inline constexpr char kOwner[] = "Kivolt 3.4";
inline constexpr char kMain[] = "Kivolt 3.4";
inline constexpr char kOverlay[] = "Kivolt 3";
}  // namespace window_title

class WindowPair {
public:
    struct Options {
        Point position;
        Size client;
        int transparency = 200;
        Colour backgroundColour = 0;
        bool topmost = false;
        std::function<void(HWND main)> registerDropTarget;
        std::function<void()> createContextMenu;
    };

    explicit WindowPair(WindowSystem& system) : system_(system) {}
    ~WindowPair();
    WindowPair(const WindowPair&) = delete;
    WindowPair& operator=(const WindowPair&) = delete;

    // Creates the three windows and the two canvases; false when the MainWindow or the
    // OverlayWindow cannot be created.
    bool open(const Options& options);

    // Null once the window is gone.
    HWND owner() const { return owner_; }
    HWND main() const { return main_; }
    HWND overlay() const { return overlay_; }
    // Null once the canvas is gone with its window.
    CanvasControl* overlayCanvas() const;
    CanvasControl* backgroundCanvas() const;
    Size clientSize() const;

    // New client size for both windows, new regions, canvases. The box keeps its place, and
    // an edge docked at the edge of `workArea` stays there (resizedBoxRect).
    void resizeBox(Size client, const Rect& workArea);
    // Moves the box without snapping it.
    void moveBox(Point position);

    // Runs first for every message of every top-level window: the overlay follows the
    // MainWindow, the MainWindow snaps to the work area of its monitor when it is moved, and
    // a window that is destroyed is forgotten.
    void windowCallback(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    // Hides the box while the pointer is outside its rectangle, shows it when it is inside.
    void autoHideStep();
    // Shows both windows; changes nothing while they are shown.
    void showBoth();
    // Either window is hidden (by auto-hide, or by another program).
    bool hidden() const;

    void setTopmost(bool topmost);
    void setAlpha(int transparency);
    void setBackgroundColour(Colour colour);

private:
    // Sets the window's position and client size, and its region for that size.
    void placeWindow(HWND hwnd, Point position, Size client);

    WindowSystem& system_;
    HWND owner_ = nullptr;
    HWND main_ = nullptr;
    HWND overlay_ = nullptr;
    // Kept by their windows, not pointers: a canvas is freed with its window.
    HWND backgroundCanvas_ = nullptr;
    HWND overlayCanvas_ = nullptr;
    bool placing_ = false;  // the program itself places the MainWindow: no snapping
};

}  // namespace kivolt
