#pragma once
// The program's top-level windows around the system's modal dialogs (file and colour
// requesters): who owns the requester, and keeping the box from covering it.

#include <windows.h>

#include <vector>

namespace kivolt {

// The foreground window when it belongs to this process, else null.
HWND programForegroundWindow();

// The program's top-level window with this WindowId, or null.
HWND findTopLevel(int windowId);

// While it lives, every other visible top-level window of the program except `keep` is
// disabled and taken out of the topmost band; afterwards each gets back what it had.
class ModalWindowsScope {
public:
    explicit ModalWindowsScope(HWND keep);
    ~ModalWindowsScope();
    ModalWindowsScope(const ModalWindowsScope&) = delete;
    ModalWindowsScope& operator=(const ModalWindowsScope&) = delete;

private:
    std::vector<HWND> disabled_;
    std::vector<HWND> topmost_;
};

}  // namespace kivolt
