#include "ui/window_pair_win.h"

#include "ui/icon_keying.h"
#include "ui/monitors_win.h"
#include "ui/pointer_win.h"
#include "ui/snap.h"

namespace kivolt {

namespace {

void setRoundRegion(HWND hwnd, Size client, BOOL redraw) {
    HRGN region = CreateRoundRectRgn(0, 0, client.width, client.height, kBoxCorner, kBoxCorner);
    if (region && !SetWindowRgn(hwnd, region, redraw)) DeleteObject(region);  // the window owns it on success
}

// The outer rectangle of a window at `position` with that client size.
Rect outerRect(HWND hwnd, Point position, Size client) {
    const DWORD style = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_EXSTYLE));
    return windowRectForClient(position, client, style, exStyle);
}

HWND canvasWindow(const CanvasControl* canvas) { return canvas ? canvas->hwnd() : nullptr; }

// SW_SHOWNORMAL changes nothing for such a window: shown, neither minimised nor maximised
// (by another program).
bool shownNormally(HWND hwnd) { return IsWindowVisible(hwnd) && !IsIconic(hwnd) && !IsZoomed(hwnd); }

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

    if (o.topmost) setTopmost(true);
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

void WindowPair::placeWindow(HWND hwnd, Point position, Size client) {
    const Rect outer = outerRect(hwnd, position, client);
    placing_ = true;
    SetWindowPos(hwnd, nullptr, outer.x, outer.y, outer.w, outer.h, SWP_NOACTIVATE | SWP_NOZORDER);
    placing_ = false;
    setRoundRegion(hwnd, client, TRUE);
}

void WindowPair::resizeBox(Size client, const Rect& workArea) {
    const Rect current = windowRect(main_);
    const Rect outer = outerRect(main_, {current.x, current.y}, client);
    const Rect target = resizedBoxRect(current, {outer.w, outer.h}, workArea);
    placeWindow(main_, {target.x, target.y}, client);
    placeWindow(overlay_, {target.x, target.y}, client);
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
    } else if (message == WM_WINDOWPOSCHANGING && !placing_) {
        auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
        Rect proposed{pos->x, pos->y, pos->cx, pos->cy};
        if (pos->flags & SWP_NOSIZE) {
            // A pure move need not carry the size; the edges are those of the current one.
            const Rect current = windowRect(main_);
            proposed.w = current.w;
            proposed.h = current.h;
        }
        const Rect snapped = snapToWorkArea(proposed, monitorOf(proposed));
        pos->x = snapped.x;
        pos->y = snapped.y;
    }
}

void WindowPair::moveBox(Point position) {
    placing_ = true;
    SetWindowPos(main_, nullptr, position.x, position.y, 0, 0, SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOSIZE);
    placing_ = false;
}

// Runs on every pass; only a change of state is asked for (animating a window into the state
// it has does nothing).
void WindowPair::autoHideStep() {
    const bool outside = pointerIn(overlay_).x == -1;
    if (outside) {
        if (IsWindowVisible(overlay_)) AnimateWindow(overlay_, 250, AW_HIDE | AW_CENTER);
        if (IsWindowVisible(main_)) AnimateWindow(main_, 250, AW_HIDE | AW_CENTER);
    } else {
        if (!IsWindowVisible(main_)) AnimateWindow(main_, 250, AW_ACTIVATE | AW_CENTER);
        if (!IsWindowVisible(overlay_)) AnimateWindow(overlay_, 250, AW_ACTIVATE | AW_CENTER);
    }
}

void WindowPair::showBoth() {
    if (!shownNormally(main_)) ShowWindow(main_, SW_SHOWNORMAL);
    if (!shownNormally(overlay_)) ShowWindow(overlay_, SW_SHOWNORMAL);
}

bool WindowPair::hidden() const { return !IsWindowVisible(main_) || !IsWindowVisible(overlay_); }

void WindowPair::setTopmost(bool topmost) {
    SetWindowPos(main_, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void WindowPair::setAlpha(int transparency) {
    SetWindowLongA(main_, GWL_EXSTYLE, GetWindowLongA(main_, GWL_EXSTYLE) | WS_EX_LAYERED);
    SetLayeredWindowAttributes(main_, 0, static_cast<BYTE>(transparency), LWA_ALPHA);
}

void WindowPair::setBackgroundColour(Colour colour) { system_.setWindowColour(main_, colour); }

}  // namespace kivolt
