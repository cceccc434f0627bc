#pragma once
// One event of the main loop, and the queue that window procedures fill while they run.

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "base/types.h"

namespace kivolt {

enum class EventKind { None, CloseRequest, MenuCommand, ControlNotification, Timer, FilesDropped, RawMessage };

// The top-level windows by their small ids.
enum WindowId : int {
    kMainWindow = 0,
    kOverlayWindow = 1,
    kConfigDialog = 2,
    kPropertiesDialog = 3,
    kNameBalloon = 4,
    kOwnerWindow = 10,
    kNoWindow = -1,
};

struct DroppedFiles {
    std::vector<std::string> paths;
    Point point;  // MainWindow client coordinates
};

struct LoopEvent {
    EventKind kind = EventKind::None;
    int window = kNoWindow;
    int id = 0;
    int code = 0;
    unsigned message = 0;
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;
    DroppedFiles drop;
};

class EventQueue {
public:
    void push(LoopEvent event) { events_.push_back(std::move(event)); }
    bool empty() const { return events_.empty(); }
    LoopEvent pop() {
        LoopEvent event = std::move(events_.front());
        events_.pop_front();
        return event;
    }

private:
    std::deque<LoopEvent> events_;
};

}  // namespace kivolt
