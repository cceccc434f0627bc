// The naive loop the box's idle cost is measured against (tools/idle-cost): one small
// window, and a loop that waits at most 2 ms for a message and reads the pointer on every
// pass, for as many seconds as its command line says.
#include <windows.h>

#include <cstdlib>

namespace {

LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

bool takeMessage(MSG& msg) { return PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE | PM_NOYIELD) != FALSE; }

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    const ULONGLONG seconds = std::strtoull(commandLine, nullptr, 10);
    WNDCLASSA wc{};
    wc.lpfnWndProc = windowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = "KivoltPollWindow";
    if (!RegisterClassA(&wc)) return 1;
    HWND window = CreateWindowExA(0, wc.lpszClassName, "Poll", WS_POPUP | WS_VISIBLE, 1700, 50, 100, 40, nullptr,
                                  nullptr, instance, nullptr);
    if (!window) return 1;

    const ULONGLONG end = GetTickCount64() + seconds * 1000;
    while (GetTickCount64() < end) {
        MSG msg;
        const bool got = takeMessage(msg) ||
                         (MsgWaitForMultipleObjects(0, nullptr, FALSE, 2, QS_ALLINPUT | QS_ALLPOSTMESSAGE) !=
                              WAIT_TIMEOUT &&
                          takeMessage(msg));
        if (got) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        POINT pointer;
        GetCursorPos(&pointer);
    }
    DestroyWindow(window);
    return 0;
}
