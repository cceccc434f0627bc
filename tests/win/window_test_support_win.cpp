#include "window_test_support_win.h"

#include <commctrl.h>

#include <memory>

#include "ui/canvas_control_win.h"

namespace kivolt::test {
namespace {

struct HandState {
    std::function<void(HWND)> act;
    UINT_PTR timer = 0;
    bool sawDialog = false;
    int ticksSinceAct = 0;
    bool hadToCancel = false;
};
std::unique_ptr<HandState> hand;  // one hand at a time; a timer procedure has no context

BOOL CALLBACK findSystemDialog(HWND hwnd, LPARAM found) {
    if (IsWindowVisible(hwnd) && classOf(hwnd) == "#32770") {
        *reinterpret_cast<HWND*>(found) = hwnd;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK handTick(HWND, UINT, UINT_PTR, DWORD) {
    if (!hand) return;
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), findSystemDialog, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog) return;
    if (!hand->sawDialog) {
        hand->sawDialog = true;
        hand->act(dialog);
    } else if (++hand->ticksSinceAct > 25) {
        hand->hadToCancel = true;
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    }
}

}  // namespace

WindowTestBase::WindowTestBase() : system_(GetModuleHandleA(nullptr)) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    system_.registerClasses();
    CanvasControl::registerClass(GetModuleHandleA(nullptr));
}

HWND createPlainWindow(WindowSystem& system, int id, Point position, DWORD exStyle) {
    TopLevelParams params;
    params.id = id;
    params.style = WS_POPUP | WS_VISIBLE;
    params.exStyle = exStyle;
    params.position = position;
    params.client = {50, 50};
    return system.createTopLevel(params);
}

std::string classOf(HWND hwnd) {
    char name[128] = {};
    GetClassNameA(hwnd, name, sizeof(name));
    return name;
}

Rect rectInParent(HWND hwnd) {
    RECT r;
    GetWindowRect(hwnd, &r);
    MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

ModalHand::ModalHand(std::function<void(HWND)> act) {
    hand = std::make_unique<HandState>(HandState{std::move(act)});
    hand->timer = SetTimer(nullptr, 0, 20, handTick);
}

ModalHand::~ModalHand() {
    KillTimer(nullptr, hand->timer);
    hand.reset();
}

bool ModalHand::sawDialog() const { return hand->sawDialog; }
bool ModalHand::hadToCancel() const { return hand->hadToCancel; }

}  // namespace kivolt::test
