// Working the real box with synthetic input: clicks launch, drags reorder, the context menu
// removes and pins, running programs are marked.
#include <windows.h>

#include <gtest/gtest.h>

#include "box_fixture_win.h"

namespace kivolt::test {
namespace {

// A horizontal box at (300, 200): cell i's icon centre is at x = 336 + 42 i, y = 221.
constexpr int kBoxX = 300;
constexpr int kBoxY = 200;
Point iconCentre(int i) { return rowIconCentre({kBoxX, kBoxY}, i); }

class InteractionTest : public BoxFixture {
protected:
    BoxWindows start(const std::string& options, const std::string& groups) {
        return BoxFixture::start(options + "X = " + std::to_string(kBoxX) + "\r\nY = " + std::to_string(kBoxY) +
                                 "\r\n" + groups);
    }
    std::string quitAndReadPrefs(HWND main) {
        quitThrough(main);
        return readFileBytes(prefs());
    }
};

TEST_F(InteractionTest, ClickLaunchesWithParametersAndShowCommand) {
    const std::string probe = launchProbePath();
    const BoxWindows w = start("FensterPos = 1\r\n", prefsGroup(0, "C:\\windows", "", 0, "Windows") +
                                                       prefsGroup(1, probe, "--eins zwei", 2, "Probe"));
    ASSERT_TRUE(w.main);
    clickAt(iconCentre(1).x, iconCentre(1).y);
    const std::string started = waitForProbeRecord(record);
    EXPECT_NE(started.find("--eins zwei"), std::string::npos) << started;
    EXPECT_NE(started.find("show=3\r\n"), std::string::npos) << started;  // maximised: run mode 2 + 1
    quitAndReadPrefs(w.main);
}

TEST_F(InteractionTest, PressThatMovesTenPixelsOnBothAxesStillLaunches) {
    const BoxWindows w = start("FensterPos = 1\r\n", prefsGroup(0, launchProbePath(), "", 1, "Probe"));
    ASSERT_TRUE(w.main);
    dragWithLeftButton(iconCentre(0), 10, 10);
    const std::string started = waitForProbeRecord(record);
    EXPECT_NE(started.find("show=2\r\n"), std::string::npos) << started;  // minimised
    quitAndReadPrefs(w.main);
}

TEST_F(InteractionTest, DragOfElevenPixelsReordersAndLaunchesNothing) {
    const std::string probe = launchProbePath();
    const BoxWindows w = start("FensterPos = 1\r\n", prefsGroup(0, probe, "", 0, "A") +
                                                       prefsGroup(1, probe, "", 0, "B") +
                                                       prefsGroup(2, probe, "", 0, "C"));
    ASSERT_TRUE(w.main);
    // From A's centre to past C's middle: A goes after C.
    dragWithLeftButton(iconCentre(0), 2 * 42 + 11, 0);
    BoxProcess::settle(1000);
    EXPECT_EQ(waitForProbeRecord(record, 0), "");
    const std::string saved = quitAndReadPrefs(w.main);
    const size_t a = saved.find("Name = A"), b = saved.find("Name = B"), c = saved.find("Name = C");
    ASSERT_NE(a, std::string::npos);
    EXPECT_LT(b, c);
    EXPECT_LT(c, a) << saved;
}

TEST_F(InteractionTest, MenuRemovesTheShortcutUnderTheRightPress) {
    const BoxWindows w = start("FensterPos = 1\r\n", prefsGroup(0, "C:\\windows", "", 0, "A") +
                                                       prefsGroup(1, "C:\\windows", "", 0, "B") +
                                                       prefsGroup(2, "C:\\windows", "", 0, "C"));
    ASSERT_TRUE(w.main);
    menuCommand(iconCentre(1), iconCentre(2), 4);  // "Verknüpfung entfernen"
    EXPECT_EQ(clientRectOnScreen(w.main).w, 2 * 42 + 15);
    const std::string saved = quitAndReadPrefs(w.main);
    EXPECT_EQ(saved.find("Name = B"), std::string::npos) << saved;
    EXPECT_NE(saved.find("Name = A"), std::string::npos);
    EXPECT_NE(saved.find("Name = C"), std::string::npos);
}

TEST_F(InteractionTest, PinningRelaysOutTheBoxAndIsSavedAtQuit) {
    const BoxWindows w = start("FensterPos = 1\r\n", prefsGroup(0, "C:\\windows", "", 0, "A"));
    ASSERT_TRUE(w.main);
    EXPECT_EQ(clientRectOnScreen(w.main).w, 42 + 15);
    menuCommand(iconCentre(0), iconCentre(0), 6);  // "Kivolt fixieren"
    EXPECT_EQ(clientRectOnScreen(w.main).w, 42);
    const std::string saved = quitAndReadPrefs(w.main);
    EXPECT_NE(saved.find("Kivolt fixieren = 1\r\n"), std::string::npos) << saved;
}

TEST_F(InteractionTest, RunningProgramCarriesTheMarker) {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    const BoxWindows w = start("FensterPos = 1\r\nAktiveProgrammeMarkieren = 1\r\n",
                               prefsGroup(0, "C:\\windows", "", 0, "A") + prefsGroup(1, self, "", 0, "Self"));
    ASSERT_TRUE(w.main);
    moveMouse(1000, 900);
    BoxProcess::settle(800);
    // The marker outlines cell 1's icon 3 pixels out; cell 0 (a folder, not running) has none.
    const Colour marker = RGB(135, 133, 133);
    EXPECT_EQ(screenPixel(kBoxX + 62 + 16, kBoxY + 2), marker);
    EXPECT_NE(screenPixel(kBoxX + 20 + 16, kBoxY + 2), marker);
    quitAndReadPrefs(w.main);
}

}  // namespace
}  // namespace kivolt::test
