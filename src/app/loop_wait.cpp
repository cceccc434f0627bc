#include "app/loop_wait.h"

namespace kivolt {

std::optional<int> loopWaitMs(const LoopActivity& a) {
    if (a.pointerOnBox || a.mouseCaptured || a.pressOrDrag || a.configDialogOpen) return kPollMs;
    if (a.hiddenByAutoHide) return kHiddenWatchMs;
    return std::nullopt;
}

}  // namespace kivolt
