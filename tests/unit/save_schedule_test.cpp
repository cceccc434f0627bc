#include "app/save_schedule.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kivolt {
namespace {

using Millis = SaveSchedule::Millis;
constexpr Millis kCoalesce = SaveSchedule::kCoalesce;

TEST(SaveSchedule, NothingIsDueWithoutAChange) {
    SaveSchedule s;
    for (Millis now : {0, 1000, 1000000}) EXPECT_FALSE(s.due(now));
    EXPECT_FALSE(s.dueAt());
    s.changed(100);
    s.succeeded();
    EXPECT_FALSE(s.due(1000000)) << "written: nothing waits any more";
}

TEST(SaveSchedule, ABurstOfChangesIsOneWriteAfterItsFirstChange) {
    SaveSchedule s;
    s.changed(1000);
    s.changed(1100);
    s.changed(1000 + kCoalesce - 1);  // later changes never put the write off
    EXPECT_FALSE(s.due(1000 + kCoalesce - 1));
    EXPECT_TRUE(s.due(1000 + kCoalesce));
    EXPECT_EQ(s.dueAt(), 1000 + kCoalesce);
    EXPECT_LE(kCoalesce, 1000) << "the file may be at most about a second behind";
    s.succeeded();
    s.changed(5000);
    EXPECT_EQ(s.dueAt(), 5000 + kCoalesce) << "the next burst starts afresh";
}

TEST(SaveSchedule, AFailedWriteIsTriedAgainLaterAndLaterUntilItSucceeds) {
    SaveSchedule s;
    s.changed(0);
    Millis now = kCoalesce;
    const Millis expected[] = {1000, 2000, 4000, 8000, 16000, 32000, 32000, 32000};
    for (Millis wait : expected) {
        ASSERT_TRUE(s.due(now));
        s.failed(now);
        EXPECT_FALSE(s.due(now + wait - 1));
        EXPECT_EQ(s.dueAt(), now + wait);
        now += wait;
    }
    s.succeeded();
    EXPECT_FALSE(s.dueAt());
    // Success starts the waiting over.
    s.changed(now);
    s.failed(now + kCoalesce);
    EXPECT_EQ(s.dueAt(), now + kCoalesce + SaveSchedule::kFirstRetry);
}

TEST(SaveSchedule, AChangeWhileARetryWaitsIsWrittenAsSoonAsAFreshOne) {
    SaveSchedule s;
    s.changed(0);
    for (Millis now = kCoalesce; now < 20000; now = *s.dueAt()) s.failed(now);
    const Millis retry = *s.dueAt();
    s.changed(20000);
    EXPECT_EQ(s.dueAt(), std::min(retry, 20000 + kCoalesce));
}

}  // namespace
}  // namespace kivolt
