// The monitors as Windows reports them, and the state of the logical left button.
#include <windows.h>

#include <gtest/gtest.h>

#include "ui/monitors_win.h"
#include "ui/pointer_win.h"

namespace kivolt {
namespace {

Rect rectOf(const RECT& r) { return {r.left, r.top, r.right - r.left, r.bottom - r.top}; }

TEST(MonitorsTest, ThePrimaryComesFirstAndTheChoiceAgreesWithMonitorFromRect) {
    const std::vector<Monitor> monitors = displayMonitors();
    ASSERT_FALSE(monitors.empty());
    RECT work{};
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    EXPECT_EQ(monitors[0].bounds, (Rect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}));
    EXPECT_EQ(monitors[0].workArea, rectOf(work));
    const RECT boxes[] = {{100, 100, 325, 142}, {5000, 3000, 5057, 3042}, {-5000, -100, -4958, 125},
                          {1900, 500, 2100, 542}, {-20, -20, 22, 22}};
    for (const RECT& box : boxes) {
        MONITORINFO info{};
        info.cbSize = sizeof(info);
        ASSERT_TRUE(GetMonitorInfoA(MonitorFromRect(&box, MONITOR_DEFAULTTONEAREST), &info));
        const Monitor chosen = monitorOf(rectOf(box));
        EXPECT_EQ(chosen.bounds, rectOf(info.rcMonitor)) << box.left << "," << box.top;
        EXPECT_EQ(chosen.workArea, rectOf(info.rcWork)) << box.left << "," << box.top;
    }
}

void mouseButton(DWORD flag) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flag;
    SendInput(1, &input, sizeof(input));
}

TEST(PointerTest, TheLeftButtonIsDownOnlyWhileItIsHeld) {
    SetCursorPos(1000, 900);  // over no window of this test
    EXPECT_FALSE(leftButtonDown());
    // Pressed since the last question, but no longer down.
    mouseButton(MOUSEEVENTF_LEFTDOWN);
    mouseButton(MOUSEEVENTF_LEFTUP);
    EXPECT_FALSE(leftButtonDown());
    mouseButton(MOUSEEVENTF_LEFTDOWN);
    EXPECT_TRUE(leftButtonDown());
    mouseButton(MOUSEEVENTF_LEFTUP);
}

TEST(PointerTest, WithSwappedButtonsTheLeftOneIsThePhysicalRightOne) {
    SetCursorPos(1000, 900);
    SwapMouseButton(TRUE);
    mouseButton(MOUSEEVENTF_LEFTDOWN);  // the physical left button: the logical right one
    const bool physicalLeftReadsDown = leftButtonDown();
    mouseButton(MOUSEEVENTF_LEFTUP);
    mouseButton(MOUSEEVENTF_RIGHTDOWN);
    const bool physicalRightReadsDown = leftButtonDown();
    mouseButton(MOUSEEVENTF_RIGHTUP);
    SwapMouseButton(FALSE);
    EXPECT_FALSE(physicalLeftReadsDown);
    EXPECT_TRUE(physicalRightReadsDown);
}

}  // namespace
}  // namespace kivolt
