#pragma once
// Real windows for the dialog tests: a WindowSystem with its classes, the common controls,
// and a hand that operates the system's modal requesters from inside their own message loop.

#include <windows.h>

#include <functional>
#include <string>

#include "ui/window_system_win.h"

namespace kivolt::test {

class WindowTestBase {
public:
    WindowTestBase();
    WindowSystem& system() { return system_; }

private:
    WindowSystem system_;
};

// A visible top-level window of the program (the box, in these tests).
HWND createPlainWindow(WindowSystem& system, int id, Point position, DWORD exStyle = 0);

std::string classOf(HWND hwnd);
// The window's rectangle in the client coordinates of its parent.
Rect rectInParent(HWND hwnd);

// While it lives, a thread timer looks for a visible system dialog ("#32770") of this
// thread and hands it to `act` once. A dialog still open half a second after that is
// cancelled, so a test that failed to close it does not hang.
class ModalHand {
public:
    explicit ModalHand(std::function<void(HWND dialog)> act);
    ~ModalHand();
    ModalHand(const ModalHand&) = delete;
    ModalHand& operator=(const ModalHand&) = delete;

    bool sawDialog() const;
    bool hadToCancel() const;
};

}  // namespace kivolt::test
