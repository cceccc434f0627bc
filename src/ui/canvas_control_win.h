#pragma once
// A child control that keeps its picture in an off-screen 24-bit bitmap, shows a settable
// standard cursor and reports mouse actions as ControlNotification events.

#include <windows.h>

#include "base/types.h"
#include "ui/gdi_handles_win.h"
#include "ui/image.h"

namespace kivolt {

class WindowSystem;

enum CanvasNotification : int {
    kPointerEntered = 1,
    kPointerLeft,
    kPointerMoved,
    kLeftButtonDown,
    kLeftButtonUp,
    kRightButtonDown,
    kRightButtonUp,
    kMiddleButtonDown,
    kMiddleButtonUp,
};

enum CanvasCursor : int { kCursorArrow = 0, kCursorSizeAll = 6 };

class CanvasControl {
public:
    static bool registerClass(HINSTANCE instance);
    // The window owns the control; it is freed when its parent is destroyed.
    static CanvasControl* create(WindowSystem& system, int id, HWND parent, Rect rect);
    static CanvasControl* fromHwnd(HWND hwnd);

    HWND hwnd() const { return hwnd_; }
    Size size() const { return size_; }
    void resize(Rect rect);

    // The drawing context on the bitmap (null when there is no bitmap), and its pixels.
    HDC beginDrawing();
    PixelView pixels() const;
    // Shows the new picture at once.
    void endDrawing();

    int cursorIndex() const { return cursor_; }
    void setCursorIndex(int index);

    LONG_PTR userData() const { return userData_; }
    void setUserData(LONG_PTR value) { userData_ = value; }

private:
    CanvasControl(WindowSystem& system, int id) : system_(system), id_(id) {}
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void notify(int kind, WPARAM wParam, LPARAM lParam);
    void replaceBitmap(Size size);

    WindowSystem& system_;
    int id_;
    HWND hwnd_ = nullptr;
    Size size_;
    UniqueMemoryDc dc_;
    DibSection dib_;
    HGDIOBJ originalBitmap_ = nullptr;
    int cursor_ = kCursorArrow;
    bool pointerInside_ = false;
    LONG_PTR userData_ = 0;
};

}  // namespace kivolt
