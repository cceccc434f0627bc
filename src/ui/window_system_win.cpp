#include "ui/window_system_win.h"

#include <windowsx.h>

#include "ui/gdi_handles_win.h"

namespace kivolt {

namespace {

// Per-window data, bound at WM_NCCREATE and freed at WM_NCDESTROY.
struct TopLevel {
    WindowSystem* system = nullptr;
    int id = kNoWindow;
    UniqueBrush background;
};

TopLevel* topLevelOf(HWND hwnd) { return reinterpret_cast<TopLevel*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA)); }

// The window id of the control that sent a WM_COMMAND or trackbar message.
int controlIdOf(LPARAM lParam) { return GetDlgCtrlID(reinterpret_cast<HWND>(lParam)); }

}  // namespace

WindowSystem::WindowSystem(HINSTANCE instance) : instance_(instance) {}

WindowSystem::~WindowSystem() {
    UnregisterClassA(window_class::kTopLevel, instance_);
}

bool WindowSystem::registerClasses() {
    programIcon_ = LoadIconA(instance_, MAKEINTRESOURCEA(1));
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = windowProc;
    wc.hInstance = instance_;
    wc.hIcon = programIcon_;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = window_class::kTopLevel;
    return RegisterClassExA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

Rect windowRect(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

Rect windowRectForClient(Point position, Size client, DWORD style, DWORD exStyle) {
    RECT r{position.x, position.y, position.x + client.width, position.y + client.height};
    AdjustWindowRectEx(&r, style, FALSE, exStyle);
    // Keep the given position as the window's top-left corner, as callers pass it.
    return {position.x, position.y, r.right - r.left, r.bottom - r.top};
}

HWND WindowSystem::createTopLevel(const TopLevelParams& p) {
    auto* data = new TopLevel{this, p.id, {}};
    const Rect r = windowRectForClient(p.position, p.client, p.style, p.exStyle);
    HWND hwnd = CreateWindowExA(p.exStyle, window_class::kTopLevel, p.title, p.style, r.x, r.y, r.w, r.h, p.owner,
                                nullptr, instance_, data);
    if (!hwnd) delete data;  // WM_NCCREATE never bound it
    return hwnd;
}

void WindowSystem::setWindowColour(HWND hwnd, Colour colour) {
    if (TopLevel* data = topLevelOf(hwnd)) {
        data->background.reset(CreateSolidBrush(colour));
        InvalidateRect(hwnd, nullptr, TRUE);
    }
}

void WindowSystem::produce(LoopEvent event) {
    if (dispatching_ && !produced_)
        produced_ = std::move(event);
    else
        queue_.push(std::move(event));
}

LoopEvent WindowSystem::waitEvent(DWORD timeoutMs, const std::function<bool(MSG&)>& keyFilter) {
    if (!queue_.empty()) return queue_.pop();
    MSG msg{};
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE | PM_NOYIELD)) {
        // The peek ran the messages other threads sent (a close request from another program
        // among them); what they queued must not wait for the next wake.
        if (!queue_.empty()) return queue_.pop();
        const DWORD woke = MsgWaitForMultipleObjects(0, nullptr, FALSE, timeoutMs, QS_ALLINPUT | QS_ALLPOSTMESSAGE);
        if (woke == WAIT_TIMEOUT || !PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE | PM_NOYIELD)) return {};
    }
    dispatching_ = true;
    produced_.reset();
    if (!keyFilter || !keyFilter(msg)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    dispatching_ = false;
    if (produced_) {
        LoopEvent event = std::move(*produced_);
        produced_.reset();
        return event;
    }
    LoopEvent raw;
    raw.kind = EventKind::RawMessage;
    raw.message = msg.message;
    raw.wParam = msg.wParam;
    raw.lParam = msg.lParam;
    return raw;
}

LRESULT CALLBACK WindowSystem::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    TopLevel* data = topLevelOf(hwnd);
    if (message == WM_NCCREATE) {
        data = static_cast<TopLevel*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(data));
        // Stored as id + 1: a property value of 0 reads as "no property".
        SetPropA(hwnd, window_class::kWindowIdProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(data->id + 1)));
    }
    if (!data) return DefWindowProcA(hwnd, message, wParam, lParam);
    LRESULT result = 0;
    try {
        result = data->system->handle(hwnd, message, wParam, lParam);
    } catch (...) {
        result = DefWindowProcA(hwnd, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        RemovePropA(hwnd, window_class::kWindowIdProperty);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        delete data;
    }
    return result;
}

LRESULT WindowSystem::handle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (callback_) callback_(hwnd, message, wParam, lParam);
    const int id = topLevelOf(hwnd)->id;
    LoopEvent event;
    switch (message) {
    case WM_CLOSE:
        event.kind = EventKind::CloseRequest;
        event.window = id;
        queue(std::move(event));
        return 0;  // the loop decides what closes
    case WM_COMMAND:
        if (lParam == 0) {
            // Only the popup menu, which sends to the MainWindow, makes menu commands; dialog
            // keys and accelerators never do.
            if (id == kMainWindow && HIWORD(wParam) == 0) {
                event.kind = EventKind::MenuCommand;
                event.id = LOWORD(wParam);
                produce(std::move(event));
            }
        } else {
            event.kind = EventKind::ControlNotification;
            event.id = LOWORD(wParam);
            event.code = HIWORD(wParam);
            produce(std::move(event));
        }
        return 0;
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (lParam != 0) {
            event.kind = EventKind::ControlNotification;
            event.id = controlIdOf(lParam);
            event.code = LOWORD(wParam);
            produce(std::move(event));
            return 0;
        }
        break;
    case WM_TIMER:
        event.kind = EventKind::Timer;
        event.id = static_cast<int>(wParam);
        produce(std::move(event));
        return 0;
    case WM_ERASEBKGND:
        if (const TopLevel* data = topLevelOf(hwnd); data->background) {
            RECT r;
            GetClientRect(hwnd, &r);
            FillRect(reinterpret_cast<HDC>(wParam), &r, data->background.get());
            return 1;
        }
        break;
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        // The session really ends: save now, Windows will not let the loop finish.
        if (wParam && id == kMainWindow && sessionEnd_) sessionEnd_();
        return 0;
    default:
        break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

int windowIdOf(HWND hwnd) {
    if (!hwnd) return kNoWindow;
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    if (process != GetCurrentProcessId()) return kNoWindow;
    const auto value = reinterpret_cast<INT_PTR>(GetPropA(hwnd, window_class::kWindowIdProperty));
    return value ? static_cast<int>(value) - 1 : kNoWindow;
}

}  // namespace kivolt
