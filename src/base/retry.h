#pragma once
// Trying something again a few times, for what another program may hold for a moment.

#include <functional>

namespace kivolt {

// Calls `attempt` until it returns true, at most `attempts` times, calling `pause` between
// two tries; the last answer.
inline bool retry(int attempts, const std::function<bool()>& attempt, const std::function<void()>& pause) {
    for (int tried = 1;; ++tried) {
        if (attempt()) return true;
        if (tried >= attempts) return false;
        pause();
    }
}

}  // namespace kivolt
