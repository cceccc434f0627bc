#include "ui/window_pair_win.h"

#include "ui/icon_keying.h"
#include "ui/pointer_win.h"
#include "ui/snap.h"

namespace kivolt {

namespace {

void setRoundRegion(HWND hwnd, Size client, BOOL redraw) {
    HRGN region = CreateRoundRectRgn(0, 0, client.width, client.height, kBoxCorner, kBoxCorner);
    if (region && !SetWindowRgn(hwnd, region, redraw)) DeleteObject(region);  // the window owns it on success
}

HWND canvasWindow(const CanvasControl* canvas) { return canvas ? canvas->hwnd() : nullptr; }

WorkArea currentWorkArea() {
    RECT r{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0);
    return {r.left, r.top, r.right, r.bottom};
}

}  // namespace

WindowPair::~WindowPair() {
    // The owner takes the box with it.
    if (owner_) DestroyWindow(owner_);
}

bool WindowPair::open(const Options& o) {
    owner_ = system_.createTopLevel({kOwnerWindow, window_title::kOwner, WS_CAPTION, 0, nullptr, {0, 0}, {0, 0}});

    main_ = system_.createTopLevel({kMainWindow, window_title::kMain, WS_POPUP, 0, owner_, o.position, o.client});
    if (!main_) return false;
    ShowWindow(main_, SW_SHOWNORMAL);
    const Rect canvasRect{0, 0, o.client.width, o.client.height};
    backgroundCanvas_ = canvasWindow(CanvasControl::create(system_, kBackgroundCanvasId, main_, canvasRect));
    SetWindowLongA(main_, GWL_EXSTYLE, GetWindowLongA(main_, GWL_EXSTYLE) | WS_EX_LAYERED);
    SetLayeredWindowAttributes(main_, 0, static_cast<BYTE>(o.transparency), LWA_ALPHA);
    setRoundRegion(main_, o.client, TRUE);
    system_.setWindowColour(main_, o.backgroundColour);
    if (o.registerDropTarget) o.registerDropTarget(main_);

    overlay_ = system_.createTopLevel({kOverlayWindow, window_title::kOverlay, WS_POPUP, 0, main_, o.position, o.client});
    if (!overlay_) return false;
    ShowWindow(overlay_, SW_SHOWNORMAL);
    setRoundRegion(overlay_, o.client, TRUE);
    overlayCanvas_ = canvasWindow(CanvasControl::create(system_, kOverlayCanvasId, overlay_, canvasRect));
    SetWindowLongA(overlay_, GWL_EXSTYLE, WS_EX_LAYERED);
    SetLayeredWindowAttributes(overlay_, kKeyColour, 0, LWA_COLORKEY);

    SetWindowPos(main_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    if (o.createContextMenu) o.createContextMenu();
    SetTimer(main_, kRedrawTimerId, kRedrawPeriodMs, nullptr);
    return true;
}

CanvasControl* WindowPair::overlayCanvas() const {
    return overlayCanvas_ ? CanvasControl::fromHwnd(overlayCanvas_) : nullptr;
}

CanvasControl* WindowPair::backgroundCanvas() const {
    return backgroundCanvas_ ? CanvasControl::fromHwnd(backgroundCanvas_) : nullptr;
}

Size WindowPair::clientSize() const {
    RECT r{};
    GetClientRect(main_, &r);
    return {r.right - r.left, r.bottom - r.top};
}

void WindowPair::resizeWindow(HWND hwnd, Size client) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    const DWORD style = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_EXSTYLE));
    const Rect outer = windowRectForClient({r.left, r.top}, client, style, exStyle);
    SetWindowPos(hwnd, nullptr, outer.x, outer.y, outer.w, outer.h, SWP_NOACTIVATE | SWP_NOZORDER);
    setRoundRegion(hwnd, client, TRUE);
}

void WindowPair::resizeBox(Size client) {
    resizeWindow(main_, client);
    resizeWindow(overlay_, client);
    if (CanvasControl* canvas = overlayCanvas()) canvas->resize({0, 0, client.width, client.height});
    if (CanvasControl* canvas = backgroundCanvas()) canvas->resize({0, 0, client.width, client.height});
}

void WindowPair::windowCallback(HWND hwnd, UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_NCDESTROY) {
        // A window's children are gone before its own WM_NCDESTROY.
        if (hwnd == main_) main_ = backgroundCanvas_ = nullptr;
        if (hwnd == overlay_) overlay_ = overlayCanvas_ = nullptr;
        if (hwnd == owner_) owner_ = nullptr;
        return;
    }
    if (!main_ || hwnd != main_) return;
    if (message == WM_MOVE && overlay_) {
        RECT r{};
        GetWindowRect(main_, &r);
        SetWindowPos(overlay_, nullptr, r.left, r.top, 0, 0, SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOSIZE);
    } else if (message == WM_WINDOWPOSCHANGING) {
        if (skipSnap_) {
            skipSnap_ = false;
            return;
        }
        auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
        Rect proposed{pos->x, pos->y, pos->cx, pos->cy};
        if (pos->flags & SWP_NOSIZE) {
            // A pure move need not carry the size; the edges are those of the current one.
            const Rect current = windowRect(main_);
            proposed.w = current.w;
            proposed.h = current.h;
        }
        const Rect snapped = snapToWorkArea(proposed, currentWorkArea());
        pos->x = snapped.x;
        pos->y = snapped.y;
    }
}

void WindowPair::autoHideStep() {
    const bool outside = pointerIn(overlay_).x == -1;
    if (outside) {
        AnimateWindow(overlay_, 250, AW_HIDE | AW_CENTER);
        AnimateWindow(main_, 250, AW_HIDE | AW_CENTER);
    } else {
        AnimateWindow(main_, 250, AW_ACTIVATE | AW_CENTER);
        AnimateWindow(overlay_, 250, AW_ACTIVATE | AW_CENTER);
    }
}

void WindowPair::showBoth() {
    ShowWindow(main_, SW_SHOWNORMAL);
    ShowWindow(overlay_, SW_SHOWNORMAL);
}

void WindowPair::setTopmost(bool topmost) {
    SetWindowPos(main_, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void WindowPair::setAlpha(int transparency) {
    SetWindowLongA(main_, GWL_EXSTYLE, GetWindowLongA(main_, GWL_EXSTYLE) | WS_EX_LAYERED);
    SetLayeredWindowAttributes(main_, 0, static_cast<BYTE>(transparency), LWA_ALPHA);
}

void WindowPair::setBackgroundColour(Colour colour) { system_.setWindowColour(main_, colour); }

}  // namespace kivolt
