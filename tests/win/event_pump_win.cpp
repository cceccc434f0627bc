#include "event_pump_win.h"

namespace kivolt::test {

void pumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

std::vector<LoopEvent> pumpEvents(WindowSystem& windows, const std::function<bool(MSG&)>& keyFilter) {
    std::vector<LoopEvent> events;
    // Bounded, so a window that keeps posting cannot hang the test.
    for (int i = 0; i < 10000; ++i) {
        LoopEvent event = windows.waitEvent(0, keyFilter);
        if (event.kind == EventKind::None) break;
        if (event.kind != EventKind::RawMessage) events.push_back(std::move(event));
    }
    return events;
}

}  // namespace kivolt::test
