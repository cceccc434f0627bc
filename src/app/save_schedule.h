#pragma once
// When the box writes its prefs file after a change: once, shortly after the first change of
// a burst, with the later changes of the burst riding along; again after a write that failed,
// waiting longer each time; never while nothing waits to be written. Times are milliseconds
// of any steady clock.

#include <cstdint>
#include <optional>

namespace kivolt {

class SaveSchedule {
public:
    using Millis = std::int64_t;

    // From the first change of a burst to its write: the file is never more than about a
    // second behind the box.
    static constexpr Millis kCoalesce = 500;
    // After a failed write: a second, then twice as long each time, up to half a minute.
    static constexpr Millis kFirstRetry = 1000;
    static constexpr Millis kLongestRetry = 32000;
    // At quit a save that fails is tried this often, this far apart: about two seconds.
    static constexpr int kQuitAttempts = 10;
    static constexpr unsigned kQuitPauseMs = 200;

    // Something that the save writes has changed.
    void changed(Millis now);
    // When the next write is due; none while nothing waits.
    std::optional<Millis> dueAt() const { return due_; }
    bool due(Millis now) const { return due_ && now >= *due_; }
    // What came of a write that was due: the file holds the box (written, or nothing to
    // write), or it could not be written and is tried again later.
    void succeeded();
    void failed(Millis now);

private:
    std::optional<Millis> due_;
    Millis retryDelay_ = kFirstRetry;
};

}  // namespace kivolt
