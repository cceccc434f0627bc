#include "dialogs/modal_windows_win.h"

#include "ui/window_system_win.h"

namespace kivolt {
namespace {

BOOL CALLBACK collectWindow(HWND hwnd, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
    return TRUE;
}

// The program has one GUI thread, so its top-level windows are that thread's.
std::vector<HWND> programTopLevels() {
    std::vector<HWND> windows;
    EnumThreadWindows(GetCurrentThreadId(), collectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

bool isTopmost(HWND hwnd) { return (GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

constexpr UINT kKeepPlace = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;

}  // namespace

HWND programForegroundWindow() {
    HWND foreground = GetForegroundWindow();
    DWORD process = 0;
    if (foreground) GetWindowThreadProcessId(foreground, &process);
    return process == GetCurrentProcessId() ? foreground : nullptr;
}

HWND findTopLevel(int windowId) {
    for (HWND hwnd : programTopLevels()) {
        if (windowIdOf(hwnd) == windowId) return hwnd;
    }
    return nullptr;
}

ModalWindowsScope::ModalWindowsScope(HWND keep) {
    for (HWND hwnd : programTopLevels()) {
        if (hwnd == keep || !IsWindowVisible(hwnd)) continue;
        if (IsWindowEnabled(hwnd)) {
            EnableWindow(hwnd, FALSE);
            disabled_.push_back(hwnd);
        }
        if (isTopmost(hwnd)) {
            SetWindowPos(hwnd, HWND_NOTOPMOST, 0, 0, 0, 0, kKeepPlace);
            topmost_.push_back(hwnd);
        }
    }
}

ModalWindowsScope::~ModalWindowsScope() {
    // A window may have been destroyed while the requester ran.
    for (HWND hwnd : disabled_) {
        if (IsWindow(hwnd)) EnableWindow(hwnd, TRUE);
    }
    for (HWND hwnd : topmost_) {
        if (IsWindow(hwnd)) SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, kKeepPlace);
    }
}

}  // namespace kivolt
