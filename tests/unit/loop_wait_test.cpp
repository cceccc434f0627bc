#include "app/loop_wait.h"

#include <gtest/gtest.h>

namespace kivolt {
namespace {

LoopActivity with(bool LoopActivity::*field) {
    LoopActivity a;
    a.*field = true;
    return a;
}

TEST(LoopWait, PollsWhileAnythingTheTailFollowsCanChangeUnannounced) {
    const struct {
        const char* what;
        LoopActivity activity;
        std::optional<int> wait;
    } cases[] = {
        {"idle: sleeps until something arrives", {}, std::nullopt},
        {"pointer on the box", with(&LoopActivity::pointerOnBox), kPollMs},
        {"button held on a window of the program", with(&LoopActivity::mouseCaptured), kPollMs},
        {"press or drag, the pointer off the box", with(&LoopActivity::pressOrDrag), kPollMs},
        {"settings dialog: the swatch follows the pointer", with(&LoopActivity::configDialogOpen), kPollMs},
        {"hidden by auto-hide: looks for the pointer now and then", with(&LoopActivity::hiddenByAutoHide),
         kHiddenWatchMs},
        {"hidden, with the dialog open: the dialog's polling wins",
         {.configDialogOpen = true, .hiddenByAutoHide = true}, kPollMs},
    };
    for (const auto& c : cases) EXPECT_EQ(loopWaitMs(c.activity), c.wait) << c.what;
    EXPECT_LE(kHiddenWatchMs, 200) << "a hidden box must show soon after the pointer arrives";
}

}  // namespace
}  // namespace kivolt
