#pragma once
// The display monitors as Windows reports them to this (DPI-unaware) program.

#include <vector>

#include "base/monitors.h"

namespace kivolt {

// Every monitor with its work area, the primary one first; never empty (without an answer
// from Windows, the primary screen and its work area).
std::vector<Monitor> displayMonitors();

// The monitor that holds the rectangle, among displayMonitors().
Monitor monitorOf(const Rect& box);

}  // namespace kivolt
