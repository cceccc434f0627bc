#pragma once

#include <windows.h>

#include "base/types.h"

namespace kivolt {

// The pointer in the window's client coordinates; (-1, -1) when it lies outside the client
// rectangle on either axis.
inline Point pointerIn(HWND hwnd) {
    POINT p{};
    RECT client{};
    if (!hwnd || !GetCursorPos(&p) || !ScreenToClient(hwnd, &p) || !GetClientRect(hwnd, &client)) return {-1, -1};
    if (p.x < 0 || p.y < 0 || p.x >= client.right || p.y >= client.bottom) return {-1, -1};
    return {p.x, p.y};
}

// The logical left button is held now: the high bit of GetAsyncKeyState (the low bit only
// says it was pressed since the last call), asked of the physical button that acts as the
// left one (GetAsyncKeyState reads physical buttons; SM_SWAPBUTTON says they are swapped).
inline bool leftButtonDown() {
    const int key = GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON;
    return (GetAsyncKeyState(key) & 0x8000) != 0;
}

}  // namespace kivolt
