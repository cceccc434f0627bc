#pragma once
// Runs the waiting messages, or the program's event wait, until the queue is idle.

#include <windows.h>

#include <functional>
#include <vector>

#include "ui/window_system_win.h"

namespace kivolt::test {

// Dispatches every waiting message; window procedures may queue events meanwhile.
void pumpMessages();

// Events other than None and RawMessage, in the order they came.
std::vector<LoopEvent> pumpEvents(WindowSystem& windows, const std::function<bool(MSG&)>& keyFilter = {});

}  // namespace kivolt::test
