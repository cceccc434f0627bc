// The box sleeps while nothing can change, yet everything its loop follows still follows its
// cause at once: the name balloon and the hover frame, the cursor on the grip, auto-hide,
// the colour swatch's look, the marks of programs that start and end.
#include <windows.h>

#include <gtest/gtest.h>

#include "base/unique_handle_win.h"
#include "box_fixture_win.h"

namespace kivolt::test {
namespace {

// A horizontal box at (300, 200): cell i's icon corner is at x = 320 + 42 i, y = 205.
constexpr int kBoxX = 300;
constexpr int kBoxY = 200;
constexpr Point kGrip{kBoxX + 7, kBoxY + 20};
constexpr Point kElsewhere{1000, 800};
constexpr Point kFarCorner{40, 1040};  // off the box and off the settings dialog
// What follows a cause at once follows it within this, with room for a loaded machine.
constexpr DWORD kPromptMs = 1000;

Point iconCentre(int i) { return rowIconCentre({kBoxX, kBoxY}, i); }
void moveTo(Point p) { moveMouse(p.x, p.y); }
bool promptly(const std::function<bool()>& done) { return waitUntil(done, kPromptMs); }
bool pixelIs(Point p, Colour colour) { return screenPixel(p.x, p.y) == colour; }

// A point on the hover frame's left edge round cell i, which the pointer on that cell shows.
Point frameEdge(int i) { return {kBoxX + 20 + 42 * i - 4, kBoxY + 20}; }
bool frameShown(int i) { return pixelIs(frameEdge(i), GetSysColor(COLOR_3DDKSHADOW)); }

// The cursor the box shows: that of its thread's input state, shared for the moment.
HCURSOR boxCursor(HWND boxWindow) {
    const DWORD boxThread = GetWindowThreadProcessId(boxWindow, nullptr);
    AttachThreadInput(GetCurrentThreadId(), boxThread, TRUE);
    HCURSOR cursor = GetCursor();
    AttachThreadInput(GetCurrentThreadId(), boxThread, FALSE);
    return cursor;
}

class IdleTest : public BoxFixture {
protected:
    BoxWindows start(const std::string& options, const std::string& groups) {
        return BoxFixture::start("FensterPos = 1\r\nX = " + std::to_string(kBoxX) + "\r\nY = " +
                                 std::to_string(kBoxY) + "\r\n" + options + groups);
    }
    // Lets the box go to sleep before the next cause.
    static void idle() { BoxProcess::settle(1000); }
    bool balloonShown() const {
        const HWND balloon = box->findWindow("");
        return balloon && IsWindowVisible(balloon);
    }
};

TEST_F(IdleTest, BalloonAndHoverFrameFollowThePointerOntoAndOffTheBox) {
    moveTo(kElsewhere);
    const BoxWindows w = start("", prefsGroup(0, "C:\\windows", "", 0, "Windows") +
                                       prefsGroup(1, "C:\\users", "", 0, "Benutzer"));
    ASSERT_TRUE(w.main);
    idle();
    EXPECT_FALSE(frameShown(0));

    moveTo(iconCentre(0));
    EXPECT_TRUE(promptly([&] { return balloonShown(); }));
    EXPECT_TRUE(promptly([] { return frameShown(0); }));
    const HWND balloon = box->findWindow("");

    moveTo(kElsewhere);
    EXPECT_TRUE(promptly([] { return !frameShown(0); }));
    EXPECT_TRUE(closes(balloon));  // destroying a window takes Wine a while on bare Xvfb

    idle();
    moveTo(iconCentre(1));
    EXPECT_TRUE(promptly([&] { return balloonShown(); }));
    EXPECT_TRUE(promptly([] { return frameShown(1); }));
    quitThrough(w.main);
}

// No mouse message comes when another program moves the box under a resting pointer; the
// messages the move sends wake the box all the same.
TEST_F(IdleTest, BoxMovedUnderTheRestingPointerByAnotherProgramShowsTheBalloonAndSavesItsPlace) {
    const Point movedTo{600, 500};
    moveTo(rowIconCentre(movedTo, 0));
    const BoxWindows w = start("", prefsGroup(0, "C:\\windows", "", 0, "Windows"));
    ASSERT_TRUE(w.main);
    idle();
    EXPECT_FALSE(balloonShown());
    SetWindowPos(w.main, nullptr, movedTo.x, movedTo.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(promptly([&] { return balloonShown(); }));
    EXPECT_TRUE(prefsBecome("FensterPos = 1\r\nX = 600\r\nY = 500\r\nKivolt fixieren = 0\r\n" +
                            prefsGroup(0, "C:\\windows", "", 0, "Windows")))
        << readFileBytes(prefs());
    quitThrough(w.main);
}

// Each paint follows the cursor update of its pass: once the frame shows (or goes), the
// cursor is what that pass set.
TEST_F(IdleTest, CursorOnTheGripDiffersFromTheArrowAndTurnsBackOffIt) {
    moveTo(kElsewhere);
    const BoxWindows w = start("", prefsGroup(0, "C:\\windows", "", 0, "Windows"));
    ASSERT_TRUE(w.main);
    idle();
    moveTo(iconCentre(0));
    ASSERT_TRUE(promptly([] { return frameShown(0); }));
    const HCURSOR arrow = boxCursor(w.overlay);

    idle();
    moveTo(kGrip);
    ASSERT_TRUE(promptly([] { return !frameShown(0); }));
    EXPECT_NE(boxCursor(w.overlay), arrow) << "the size-all cursor on the grip";

    idle();
    moveTo(iconCentre(0));
    ASSERT_TRUE(promptly([] { return frameShown(0); }));
    EXPECT_EQ(boxCursor(w.overlay), arrow);
    quitThrough(w.main);
}

TEST_F(IdleTest, AutoHideHidesWhenThePointerLeavesAndShowsWhenItComesBack) {
    moveTo(iconCentre(0));  // the box opens shown under the pointer
    const BoxWindows w = start("AutomAusblenden = 1\r\n", prefsGroup(0, "C:\\windows", "", 0, "Windows"));
    ASSERT_TRUE(w.main);
    const auto shown = [&] { return IsWindowVisible(w.main) && IsWindowVisible(w.overlay); };
    const auto hidden = [&] { return !IsWindowVisible(w.main) && !IsWindowVisible(w.overlay); };
    EXPECT_TRUE(shown());
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        moveTo(kElsewhere);
        // Wine on a bare X server takes about two seconds to hide the MainWindow and one to
        // show it again, however soon the box asks.
        EXPECT_TRUE(waitUntil(hidden));
        idle();
        moveTo(iconCentre(0));
        EXPECT_TRUE(waitUntil(shown));
    }
    quitThrough(w.main);
}

TEST_F(IdleTest, SwatchLooksFlatRaisedAndSunkenAsThePointerAndButtonSay) {
    moveTo(kElsewhere);
    const BoxWindows w = start("", prefsGroup(0, "C:\\windows", "", 0, "Windows"));
    ASSERT_TRUE(w.main);
    menuCommand({kBoxX + 5, kBoxY + 5}, {kBoxX + 5, kBoxY + 5}, 7);  // "Einstellungen"
    const HWND dialog = box->waitForWindow("Kivolt - Konfiguration");
    ASSERT_TRUE(dialog);
    RECT r{};
    GetWindowRect(GetDlgItem(dialog, 14), &r);
    // The outermost of the swatch's three frame rings, halfway down its left side.
    const Point ring{r.left + 1, (r.top + r.bottom) / 2};
    const Point middle{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    const Colour flat = GetSysColor(COLOR_BTNFACE), raised = GetSysColor(COLOR_BTNSHADOW),
                 sunken = GetSysColor(COLOR_3DDKSHADOW);

    moveTo(kFarCorner);
    EXPECT_TRUE(promptly([&] { return pixelIs(ring, flat); }));
    idle();
    moveTo(middle);
    EXPECT_TRUE(promptly([&] { return pixelIs(ring, raised); }));
    mouseButton(MOUSEEVENTF_LEFTDOWN);
    EXPECT_TRUE(promptly([&] { return pixelIs(ring, sunken); }));
    moveTo(kFarCorner);  // dragged off: flat, and the release there opens nothing
    EXPECT_TRUE(promptly([&] { return pixelIs(ring, flat); }));
    mouseButton(MOUSEEVENTF_LEFTUP);
    idle();
    EXPECT_TRUE(pixelIs(ring, flat));
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    EXPECT_TRUE(closes(dialog));
    quitThrough(w.main);
}

TEST_F(IdleTest, MarkAppearsWhenTheProgramStartsAndGoesWhenItEnds) {
    moveTo(kElsewhere);
    const BoxWindows w = start("AktiveProgrammeMarkieren = 1\r\n", prefsGroup(0, "C:\\windows", "", 0, "Windows") +
                                                                     prefsGroup(1, runProbePath(), "", 0, "Probe"));
    ASSERT_TRUE(w.main);
    // The top edge of the marker round cell 1's icon.
    const Point marker{kBoxX + 62 + 16, kBoxY + 2};
    const Colour markerColour = RGB(135, 133, 133);
    idle();
    EXPECT_FALSE(pixelIs(marker, markerColour));

    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    std::string command = "\"" + runProbePath() + "\" 60";
    ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info));
    UniqueHandle probe(info.hProcess);
    UniqueHandle probeThread(info.hThread);
    EXPECT_TRUE(promptly([&] { return pixelIs(marker, markerColour); }));

    TerminateProcess(probe.get(), 0);
    WaitForSingleObject(probe.get(), 5000);
    probe.reset();
    probeThread.reset();
    EXPECT_TRUE(promptly([&] { return !pixelIs(marker, markerColour); }));
    quitThrough(w.main);
}

}  // namespace
}  // namespace kivolt::test
