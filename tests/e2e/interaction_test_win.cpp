// Working the real box with synthetic input: clicks launch, drags reorder, files dropped from
// another program are added, the context menu removes and pins, running programs are marked;
// long rows and columns show every shortcut.
#include <windows.h>

#include <gtest/gtest.h>

#include "base/wide_text_win.h"
#include "box_fixture_win.h"
#include "file_drag_win.h"
#include "settings/autostart_link_win.h"

namespace kivolt::test {
namespace {

// A horizontal box at (300, 200): cell i's icon centre is at x = 336 + 42 i, y = 221.
constexpr int kBoxX = 300;
constexpr int kBoxY = 200;
Point iconCentre(int i) { return rowIconCentre({kBoxX, kBoxY}, i); }

class InteractionTest : public BoxFixture {
protected:
    BoxWindows start(const std::string& options, const std::string& groups, Point at = {kBoxX, kBoxY}) {
        return BoxFixture::start(options + "X = " + std::to_string(at.x) + "\r\nY = " + std::to_string(at.y) +
                                 "\r\n" + groups);
    }
    std::string quitAndReadPrefs(HWND main) {
        quitThrough(main);
        return readFileBytes(prefs());
    }
    // A new folder in the test folder, with its trailing backslash.
    std::string subfolder(const std::string& name) const {
        const std::string path = folder.file(name) + "\\";
        CreateDirectoryA(path.c_str(), nullptr);
        return path;
    }
    // The launch probe copied into a folder of its own, away from the box's working folder.
    std::string probeIn(const std::string& folderName) const {
        const std::string copy = subfolder(folderName) + "launch_probe.exe";
        CopyFileA(launchProbePath().c_str(), copy.c_str(), FALSE);
        return copy;
    }

    // Starts a box of `count` shortcuts named S0, S1, ...: the launch probe at `probeAt`, the
    // Windows folder everywhere else.
    BoxWindows startMany(const std::string& options, int count, int probeAt, Point at) {
        std::string groups;
        for (int i = 0; i < count; ++i)
            groups += prefsGroup(i, i == probeAt ? launchProbePath() : "C:\\windows", "", 0, "S" + std::to_string(i));
        return start(options, groups, at);
    }
};

// What the probe recorded as its working folder, with the line's end.
std::string cwdLine(const std::string& folderPath) {
    return "\r\ncwd=" + folderPath.substr(0, folderPath.size() - 1) + "\r\n";
}

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

// Programs start as Explorer starts them: in the folder that holds them, and never hidden,
// even with the run mode -1 that the properties dialog stores when nothing is chosen.
TEST_F(InteractionTest, ClickStartsAProgramInItsOwnFolderAndNeverHidden) {
    const std::string program = probeIn("Werkzeug Ordner");
    const BoxWindows w = start("FensterPos = 1\r\n", prefsGroup(0, program, "", -1, "Probe"));
    ASSERT_TRUE(w.main);
    clickAt(iconCentre(0).x, iconCentre(0).y);
    const std::string started = waitForProbeRecord(record);
    EXPECT_NE(started.find(cwdLine(folder.file("Werkzeug Ordner\\"))), std::string::npos) << started;
    EXPECT_NE(started.find("show=1\r\n"), std::string::npos) << started;
    const std::string saved = quitAndReadPrefs(w.main);
    EXPECT_NE(saved.find("Ausf\xFChrung = -1\r\n"), std::string::npos) << saved;  // stored as it was
}

// A batch file runs through the shell in its own folder; the probe it starts inherits it.
TEST_F(InteractionTest, ClickRunsABatchFileInItsOwnFolder) {
    const std::string scripts = subfolder("Skripte");
    writeFileBytes(scripts + "probe.bat", "@\"" + launchProbePath() + "\" aus-batch\r\n");
    const BoxWindows w = start("FensterPos = 1\r\n", prefsGroup(0, scripts + "probe.bat", "", 0, "Batch"));
    ASSERT_TRUE(w.main);
    clickAt(iconCentre(0).x, iconCentre(0).y);
    const std::string started = waitForProbeRecord(record);
    EXPECT_NE(started.find(" aus-batch\r\n"), std::string::npos) << started;
    EXPECT_NE(started.find(cwdLine(scripts)), std::string::npos) << started;
    quitAndReadPrefs(w.main);
}

// A link dragged from another program onto the box keeps arguments of any length: the
// program it starts gets them whole, and so does the prefs file.
TEST_F(InteractionTest, DroppedLinkKeepsItsLongArguments) {
    const std::string program = probeIn("Lang");
    std::string arguments = "--lang";
    for (int i = 0; arguments.size() < 1500; ++i) arguments += " --wert=" + std::to_string(i);
    const std::string link = folder.file("Lang.lnk");
    ASSERT_TRUE(createShellLink({.target = program, .linkPath = link, .workingDir = "", .arguments = arguments,
                                 .showCmd = SW_SHOWNORMAL, .description = "", .hotkey = 0, .iconPath = "|",
                                 .iconIndex = 0}));
    const BoxWindows w = start("FensterPos = 1\r\n", prefsGroup(0, "C:\\windows", "", 0, "A"));
    ASSERT_TRUE(w.main);

    // Dropped at the box's start: the new Shortcut comes first.
    DragStartWindow dragStart({100, 600});
    ASSERT_TRUE(dragStart.ready());
    ComPtr<IDataObject> data = oneFormatData(CF_HDROP, fileDropBlock({wideFromAnsi(link)}));
    const DragResult drag = dragWithPointer(data.get(), {140, 640}, {{kBoxX + 20, kBoxY + 60}, {kBoxX + 20, kBoxY + 21}});
    EXPECT_EQ(drag.hr, DRAGDROP_S_DROP);
    ASSERT_TRUE(waitUntil([&] { return clientRectOnScreen(w.main).w == 2 * 42 + 15; }, 10000));

    clickAt(iconCentre(0).x, iconCentre(0).y);
    const std::string started = waitForProbeRecord(record);
    EXPECT_NE(started.find("cmdline=\"" + program + "\" " + arguments + "\r\n"), std::string::npos) << started;
    const std::string saved = quitAndReadPrefs(w.main);
    EXPECT_NE(saved.find("Programm Parameter = " + arguments + "\r\n"), std::string::npos) << saved;
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

TEST_F(InteractionTest, PressOnOneShortcutAndReleaseOnItsNeighbourLaunchesNothing) {
    const std::string probe = launchProbePath();
    const BoxWindows w = start("FensterPos = 1\r\n", prefsGroup(0, probe, "", 0, "A") + prefsGroup(1, probe, "", 0, "B"));
    ASSERT_TRUE(w.main);
    // Pressed on A's last column, released on B's first: 9 pixels, no drag.
    moveMouse(kBoxX + 55, kBoxY + 20);
    mouseButton(MOUSEEVENTF_LEFTDOWN);
    moveMouse(kBoxX + 64, kBoxY + 20);
    mouseButton(MOUSEEVENTF_LEFTUP);
    BoxProcess::settle(1000);
    EXPECT_EQ(waitForProbeRecord(record, 0), "");
    clickAt(kBoxX + 64, kBoxY + 20);  // a whole click on B does launch
    EXPECT_NE(waitForProbeRecord(record), "");
    quitAndReadPrefs(w.main);
}

TEST_F(InteractionTest, DragReleasedOutsideTheBoxMovesNothing) {
    const BoxWindows w = startMany("FensterPos = 1\r\n", 4, -1, {kBoxX, kBoxY});
    ASSERT_TRUE(w.main);
    ASSERT_TRUE(waitForClientRect(w.main, {kBoxX, kBoxY, 4 * 42 + 15, 42}));
    dragWithLeftButton(iconCentre(2), 0, 200);
    const std::string saved = quitAndReadPrefs(w.main);
    size_t last = 0;
    for (int i = 0; i < 4; ++i) {
        const size_t at = saved.find("Name = S" + std::to_string(i) + "\r\n");
        ASSERT_NE(at, std::string::npos) << saved;
        EXPECT_GT(at, last) << "S" << i << " out of place:\n" << saved;
        last = at;
    }
}

TEST_F(InteractionTest, DragInATwoColumnBoxLandsInTheCellUnderThePointer) {
    // 26 in a column: two columns, filled row by row; shortcut i at x 5 + 42 (i mod 2),
    // y 20 + 42 (i div 2).
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const int top = work.top;
    const BoxWindows w = startMany("FensterPos = 0\r\n", 26, -1, {kBoxX, top});
    ASSERT_TRUE(w.main);
    ASSERT_TRUE(waitForClientRect(w.main, {kBoxX, top, 2 * 42, static_cast<int>(work.bottom) - top}))
        << ::testing::PrintToString(clientRectOnScreen(w.main));
    // From the middle of S0 to the middle of S21 (row 10, column 1): S0 goes after S21.
    const Point from{kBoxX + 5 + 16, top + 20 + 16};
    const Point to{kBoxX + 47 + 16, top + 20 + 10 * 42 + 16};
    dragWithLeftButton(from, to.x - from.x, to.y - from.y);
    const std::string saved = quitAndReadPrefs(w.main);
    const size_t s21 = saved.find("Name = S21\r\n"), s0 = saved.find("Name = S0\r\n"), s22 = saved.find("Name = S22\r\n");
    ASSERT_NE(s0, std::string::npos) << saved;
    EXPECT_LT(s21, s0) << saved;
    EXPECT_LT(s0, s22) << saved;
    EXPECT_LT(saved.find("Name = S1\r\n"), s21);
}

TEST_F(InteractionTest, LongColumnAndLongRowShowTheirLastShortcut) {
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const int workW = work.right - work.left, workH = work.bottom - work.top;
    {
        // One more than two columns of whole cells hold (51 on 1080 pixels): three columns.
        const int count = 2 * ((workH - 15) / 42) + 1;
        const BoxWindows w = startMany("FensterPos = 0\r\n", count, count - 1, {kBoxX, work.top});
        ASSERT_TRUE(w.main);
        EXPECT_TRUE(waitForClientRect(w.main, {kBoxX, static_cast<int>(work.top), 3 * 42, workH}))
            << ::testing::PrintToString(clientRectOnScreen(w.main));
        const int last = count - 1;
        clickAt(kBoxX + 5 + 42 * (last % 3) + 16, work.top + 20 + 42 * (last / 3) + 16);
        EXPECT_NE(waitForProbeRecord(record), "") << "the last shortcut of the column cannot be clicked";
        quitAndReadPrefs(w.main);
    }
    DeleteFileA(record.c_str());
    {
        // One more than two rows of the display's width hold (91 on 1920 pixels): three rows.
        const int count = 2 * ((workW - 1 - 15) / 42) + 1;
        const BoxWindows w = startMany("FensterPos = 1\r\n", count, count - 1, {static_cast<int>(work.left), kBoxY});
        ASSERT_TRUE(w.main);
        EXPECT_TRUE(waitForClientRect(w.main, {static_cast<int>(work.left), kBoxY, workW, 3 * 42}))
            << ::testing::PrintToString(clientRectOnScreen(w.main));
        clickAt(work.left + 20 + 16, kBoxY + 2 * 42 + 5 + 16);
        EXPECT_NE(waitForProbeRecord(record), "") << "the last shortcut of the row cannot be clicked";
        quitAndReadPrefs(w.main);
    }
}

TEST_F(InteractionTest, PinToggleAtTheRightEdgeKeepsTheBoxFlushWithIt) {
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const Point at{work.right - 42, kBoxY};
    const BoxWindows w = start("FensterPos = 1\r\nKivolt fixieren = 1\r\n", prefsGroup(0, "C:\\windows", "", 0, "A"), at);
    ASSERT_TRUE(w.main);
    ASSERT_TRUE(waitForClientRect(w.main, {at.x, at.y, 42, 42})) << ::testing::PrintToString(clientRectOnScreen(w.main));
    menuCommand({at.x + 21, at.y + 21}, {at.x + 21, at.y + 21}, 6);  // "Kivolt fixieren": unpinned
    const Rect unpinned{static_cast<int>(work.right) - 57, at.y, 57, 42};
    EXPECT_TRUE(waitForClientRect(w.main, unpinned)) << ::testing::PrintToString(clientRectOnScreen(w.main));
    EXPECT_TRUE(waitForClientRect(w.overlay, unpinned)) << ::testing::PrintToString(clientRectOnScreen(w.overlay));
    menuCommand({work.right - 20, at.y + 21}, {work.right - 20, at.y + 21}, 6);  // pinned again
    EXPECT_TRUE(waitForClientRect(w.main, {at.x, at.y, 42, 42})) << ::testing::PrintToString(clientRectOnScreen(w.main));
    const std::string saved = quitAndReadPrefs(w.main);
    EXPECT_NE(saved.find("\r\nX = " + std::to_string(at.x) + "\r\nY = " + std::to_string(at.y) + "\r\n"), std::string::npos)
        << saved;
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
