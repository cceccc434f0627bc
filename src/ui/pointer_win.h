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

}  // namespace kivolt
