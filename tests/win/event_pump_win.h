#pragma once
// Runs the program's event wait until the queue is idle and hands back what it produced.

#include <windows.h>

#include <functional>
#include <vector>

#include "ui/window_system_win.h"

namespace kivolt::test {

// Events other than None and RawMessage, in the order they came.
std::vector<LoopEvent> pumpEvents(WindowSystem& windows, const std::function<bool(MSG&)>& keyFilter = {});

}  // namespace kivolt::test
