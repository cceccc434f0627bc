#include "ui/monitors_win.h"

#include <windows.h>

namespace kivolt {
namespace {

Rect rectOf(const RECT& r) { return {r.left, r.top, r.right - r.left, r.bottom - r.top}; }

BOOL CALLBACK addMonitor(HMONITOR handle, HDC, LPRECT, LPARAM data) {
    auto* monitors = reinterpret_cast<std::vector<Monitor>*>(data);
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (!GetMonitorInfoA(handle, &info)) return TRUE;
    const Monitor monitor{rectOf(info.rcMonitor), rectOf(info.rcWork)};
    if (info.dwFlags & MONITORINFOF_PRIMARY)
        monitors->insert(monitors->begin(), monitor);
    else
        monitors->push_back(monitor);
    return TRUE;
}

}  // namespace

std::vector<Monitor> displayMonitors() {
    // The monitor rectangles, not EnumDisplaySettings: on a scaled display the program's
    // windows live in scaled coordinates, and only these are in the same space.
    std::vector<Monitor> monitors;
    EnumDisplayMonitors(nullptr, nullptr, addMonitor, reinterpret_cast<LPARAM>(&monitors));
    if (monitors.empty()) {
        RECT work{};
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        monitors.push_back({{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}, rectOf(work)});
    }
    return monitors;
}

Monitor monitorOf(const Rect& box) { return monitorFor(displayMonitors(), box); }

}  // namespace kivolt
