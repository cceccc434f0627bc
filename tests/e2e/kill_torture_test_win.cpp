// Kills the real program at random moments of sessions full of changes: the file it leaves
// behind is always one the program wrote whole, and never more than a second behind the box.
// KIVOLT_TORTURE_RUNS sets the number of sessions (one kill each).
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <iostream>
#include <random>
#include <vector>

#include "box_process_win.h"
#include "settings/prefs_location.h"
#include "temp_folder_win.h"

namespace kivolt::test {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr int kShortcuts = 12;
constexpr int kDefaultRuns = 12;
constexpr milliseconds kMostBehind{1000};

// Menu command ids as the popup menu sends them. Until the first right press the menu's
// target is the first shortcut, so "Verknüpfung entfernen" takes the first one each time.
constexpr WPARAM kRemoveCommand = 3;
constexpr WPARAM kPinCommand = 5;

// What the box holds: where it stands, whether it is pinned, how many of the first
// shortcuts are gone.
struct BoxState {
    Point position{300, 200};
    bool pinned = false;
    int removed = 0;
};

// The file the program writes for that state, byte for byte.
std::string fileFor(const BoxState& s) {
    std::string text = "FensterPos = 1\r\nX = " + std::to_string(s.position.x) + "\r\nY = " +
                       std::to_string(s.position.y) + "\r\nKivolt fixieren = " + (s.pinned ? "1" : "0") + "\r\n";
    for (int i = s.removed; i < kShortcuts; ++i)
        text += prefsGroup(i - s.removed, "C:\\windows", "", 0, "Ordner " + std::to_string(i));
    return text;
}

int runCount() {
    const char* wanted = std::getenv("KIVOLT_TORTURE_RUNS");
    return wanted && std::atoi(wanted) > 0 ? std::atoi(wanted) : kDefaultRuns;
}

struct Change {
    Clock::time_point at;  // taken before the change is asked for, so lags are never understated
    BoxState state;
};

// One random change of the box, and the state it leads to.
BoxState changeAtRandom(HWND main, BoxState s, std::mt19937& random) {
    switch (std::uniform_int_distribution<int>(0, 2)(random)) {
    case 0:
        // Far from every edge the box could snap to.
        s.position = {std::uniform_int_distribution<int>(100, 1200)(random),
                      std::uniform_int_distribution<int>(100, 800)(random)};
        SetWindowPos(main, nullptr, s.position.x, s.position.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        break;
    case 1:
        s.pinned = !s.pinned;
        SendMessageA(main, WM_COMMAND, kPinCommand, 0);
        break;
    default:
        if (s.removed == kShortcuts) break;
        ++s.removed;
        SendMessageA(main, WM_COMMAND, kRemoveCommand, 0);
        break;
    }
    return s;
}

TEST(KillTorture, TheFileIsAlwaysWholeAndNeverMoreThanASecondBehind) {
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    const int runs = runCount();
    int changes = 0, killsDuringAWrite = 0, behindAtKill = 0;
    milliseconds mostBehind{0};

    for (int run = 0; run < runs; ++run) {
        SCOPED_TRACE("run " + std::to_string(run));
        TempFolder folder;
        const std::string prefs = prefsPath(folder.path());
        CreateDirectoryA(prefsFolder(folder.path()).c_str(), nullptr);
        std::vector<Change> history{{Clock::now(), BoxState{}}};
        writeFileBytes(prefs, fileFor(history.back().state));
        BoxProcess box(folder.path().substr(0, folder.path().size() - 1));
        const HWND main = box.waitForWindows().main;
        ASSERT_NE(main, nullptr);

        const Clock::time_point end =
            Clock::now() + milliseconds(std::uniform_int_distribution<int>(300, 3000)(random));
        while (Clock::now() < end) {
            const Clock::time_point at = Clock::now();
            history.push_back({at, changeAtRandom(main, history.back().state, random)});
            Sleep(std::uniform_int_distribution<DWORD>(0, 200)(random));
        }
        // Often enough, right while the save of the last burst is being written.
        Sleep(std::uniform_int_distribution<DWORD>(0, 800)(random));
        const Clock::time_point killedAt = Clock::now();
        box.kill();
        changes += static_cast<int>(history.size()) - 1;
        if (fileExists(prefs + ".tmp")) ++killsDuringAWrite;

        // The latest state whose file this is; a damaged or half-written file matches none.
        const std::string bytes = readFileBytes(prefs);
        const auto found = std::find_if(history.rbegin(), history.rend(),
                                        [&](const Change& c) { return fileFor(c.state) == bytes; });
        ASSERT_NE(found, history.rend()) << "a file the program never meant to write:\n" << bytes;
        const auto firstUnsaved = found.base();  // the change after the one on disk
        if (firstUnsaved == history.end()) continue;
        ++behindAtKill;
        const auto behind = std::chrono::duration_cast<milliseconds>(killedAt - firstUnsaved->at);
        mostBehind = std::max(mostBehind, behind);
        EXPECT_LE(behind, kMostBehind) << "the file lost a change made " << behind.count() << " ms before the kill";
    }
    std::cout << "[ torture  ] " << runs << " kills after " << changes << " changes; " << killsDuringAWrite
              << " during a write; " << behindAtKill << " files behind the box at the kill, at most "
              << mostBehind.count() << " ms\n";
}

}  // namespace
}  // namespace kivolt::test
