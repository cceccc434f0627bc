#include "app/redraw_tick.h"

#include <gtest/gtest.h>

namespace kivolt {
namespace {

TEST(RedrawTick, RepaintsOnlyWhatCanHaveChanged) {
    const std::vector<bool> none;
    const std::vector<bool> secondRuns{false, true};
    const std::vector<bool> nothingRuns{false, false};
    const struct {
        const char* what;
        OverlayLook now, painted;
        bool repaint;
    } cases[] = {
        {"marks off, pointer elsewhere: nothing to paint", {false, none}, {false, none}, false},
        {"marks on, nothing started or ended", {false, secondRuns}, {false, secondRuns}, false},
        {"a marked program started", {false, secondRuns}, {false, nothingRuns}, true},
        {"a marked program ended", {false, nothingRuns}, {false, secondRuns}, true},
        {"marks switched on since the last paint", {false, nothingRuns}, {false, none}, true},
        {"the pointer is on the box: its frame follows it", {true, none}, {true, none}, true},
        {"the pointer came onto the box", {true, none}, {false, none}, true},
        {"the pointer left: the frame it left behind goes", {false, none}, {true, none}, true},
    };
    for (const auto& c : cases) EXPECT_EQ(tickNeedsRepaint(c.now, c.painted), c.repaint) << c.what;
}

}  // namespace
}  // namespace kivolt
