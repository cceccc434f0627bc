#include "ui/canvas_control_win.h"

#include <windowsx.h>

#include <cstring>

#include "ui/window_system_win.h"

namespace kivolt {

namespace {

const LPCSTR kStandardCursors[] = {IDC_ARROW,  IDC_CROSS,  IDC_IBEAM,  IDC_HAND,     IDC_WAIT,    IDC_NO,
                                   IDC_SIZEALL, IDC_SIZEWE, IDC_SIZENS, IDC_SIZENWSE, IDC_SIZENESW};
constexpr int kCursorCount = sizeof(kStandardCursors) / sizeof(kStandardCursors[0]);

HCURSOR standardCursor(int index) {
    return LoadCursorA(nullptr, kStandardCursors[index >= 0 && index < kCursorCount ? index : 0]);
}

constexpr WPARAM kAllButtons = MK_LBUTTON | MK_RBUTTON | MK_MBUTTON | MK_XBUTTON1 | MK_XBUTTON2;

}  // namespace

bool CanvasControl::registerClass(HINSTANCE instance) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = windowProc;
    wc.hInstance = instance;
    wc.lpszClassName = window_class::kCanvas;
    return RegisterClassExA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

CanvasControl* CanvasControl::create(WindowSystem& system, int id, HWND parent, Rect rect) {
    auto* control = new CanvasControl(system, id);
    HWND hwnd = CreateWindowExA(0, window_class::kCanvas, "", WS_CHILD | WS_VISIBLE, rect.x, rect.y, rect.w, rect.h,
                                parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), system.instance(), control);
    if (!hwnd) {
        delete control;
        return nullptr;
    }
    return control;
}

CanvasControl* CanvasControl::fromHwnd(HWND hwnd) {
    return reinterpret_cast<CanvasControl*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

void CanvasControl::replaceBitmap(Size size) {
    DibSection fresh = createDibSection(size.width, size.height, 24);
    if (fresh.bits) std::memset(fresh.bits, 0xFF, Image::strideFor(size.width, 3) * size.height);  // white
    UniqueMemoryDc freshDc(CreateCompatibleDC(nullptr));
    HGDIOBJ freshOriginal = nullptr;
    if (freshDc && fresh.bitmap) {
        freshOriginal = SelectObject(freshDc.get(), fresh.bitmap.get());
        if (dc_ && dib_.bitmap) BitBlt(freshDc.get(), 0, 0, size_.width, size_.height, dc_.get(), 0, 0, SRCCOPY);
    }
    if (dc_ && originalBitmap_) SelectObject(dc_.get(), originalBitmap_);
    dc_ = std::move(freshDc);
    dib_ = std::move(fresh);
    originalBitmap_ = freshOriginal;
    size_ = size;
}

void CanvasControl::resize(Rect rect) {
    MoveWindow(hwnd_, rect.x, rect.y, rect.w, rect.h, FALSE);
    if (Size{rect.w, rect.h} != size_) replaceBitmap({rect.w, rect.h});
    InvalidateRect(hwnd_, nullptr, FALSE);
}

HDC CanvasControl::beginDrawing() { return dib_.bitmap ? dc_.get() : nullptr; }

PixelView CanvasControl::pixels() const {
    if (!dib_.bits) return {};
    GdiFlush();  // GDI text and icons may still be queued on the bitmap
    return {static_cast<std::uint8_t*>(dib_.bits), size_.width, size_.height, Image::strideFor(size_.width, 3), 3};
}

void CanvasControl::endDrawing() {
    GdiFlush();
    InvalidateRect(hwnd_, nullptr, FALSE);
    UpdateWindow(hwnd_);
}

void CanvasControl::setCursorIndex(int index) {
    cursor_ = index;
    if (pointerInside_) SetCursor(standardCursor(cursor_));
}

void CanvasControl::notify(int kind, WPARAM wParam, LPARAM lParam) {
    LoopEvent event;
    event.kind = EventKind::ControlNotification;
    event.id = id_;
    event.code = kind;
    event.wParam = wParam;  // buttons and modifier keys
    event.lParam = lParam;  // position relative to the control
    system_.queue(std::move(event));
}

LRESULT CALLBACK CanvasControl::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    CanvasControl* self = fromHwnd(hwnd);
    if (message == WM_NCCREATE) {
        self = static_cast<CanvasControl*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        const auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        self->replaceBitmap({create->cx, create->cy});
    }
    if (!self) return DefWindowProcA(hwnd, message, wParam, lParam);
    LRESULT result = 0;
    try {
        result = self->handle(message, wParam, lParam);
    } catch (...) {
        result = DefWindowProcA(hwnd, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        if (self->dc_ && self->originalBitmap_) SelectObject(self->dc_.get(), self->originalBitmap_);
        delete self;
    }
    return result;
}

LRESULT CanvasControl::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;  // WM_PAINT copies the whole bitmap
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC screen = BeginPaint(hwnd_, &ps);
        if (screen && dib_.bitmap) BitBlt(screen, 0, 0, size_.width, size_.height, dc_.get(), 0, 0, SRCCOPY);
        EndPaint(hwnd_, &ps);
        return 0;
    }
    case WM_PRINTCLIENT:
        if (dib_.bitmap)
            BitBlt(reinterpret_cast<HDC>(wParam), 0, 0, size_.width, size_.height, dc_.get(), 0, 0, SRCCOPY);
        return 0;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT) {
            SetCursor(standardCursor(cursor_));
            return TRUE;
        }
        break;
    case WM_MOUSEMOVE:
        if (!pointerInside_) {
            pointerInside_ = true;
            TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, hwnd_, 0};
            TrackMouseEvent(&track);
            notify(kPointerEntered, wParam, lParam);
        }
        notify(kPointerMoved, wParam, lParam);
        return 0;
    case WM_MOUSELEAVE:
        pointerInside_ = false;
        notify(kPointerLeft, wParam, lParam);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK: {
        const bool left = message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK;
        const bool right = message == WM_RBUTTONDOWN || message == WM_RBUTTONDBLCLK;
        const WPARAM button = left ? MK_LBUTTON : right ? MK_RBUTTON : MK_MBUTTON;
        if ((wParam & kAllButtons) == button) SetCapture(hwnd_);
        notify(left ? kLeftButtonDown : right ? kRightButtonDown : kMiddleButtonDown, wParam, lParam);
        return 0;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        if ((wParam & kAllButtons) == 0) ReleaseCapture();
        notify(message == WM_LBUTTONUP ? kLeftButtonUp : message == WM_RBUTTONUP ? kRightButtonUp : kMiddleButtonUp,
               wParam, lParam);
        return 0;
    default:
        break;
    }
    return DefWindowProcA(hwnd_, message, wParam, lParam);
}

}  // namespace kivolt
