#include "app/save_schedule.h"

#include <algorithm>

namespace kivolt {

// A change never puts off a write that is already due sooner.
void SaveSchedule::changed(Millis now) { due_ = std::min(due_.value_or(now + kCoalesce), now + kCoalesce); }

void SaveSchedule::succeeded() {
    due_.reset();
    retryDelay_ = kFirstRetry;
}

void SaveSchedule::failed(Millis now) {
    due_ = now + retryDelay_;
    retryDelay_ = std::min(retryDelay_ * 2, kLongestRetry);
}

}  // namespace kivolt
