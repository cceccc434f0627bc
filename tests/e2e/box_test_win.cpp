// The real program under Wine: start-up, the window pair, painting, the name balloon,
// snapping, and the quit paths that save the box.
#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <thread>

#include "box_fixture_win.h"

namespace kivolt::test {
namespace {

constexpr Colour kGripBar = RGB(79, 79, 79);

// Whether a program this process started has initialised OLE: the box does that first,
// a moment before it reads its file.
bool childStartedOle(const char* exe) {
    DWORD child = 0;
    HANDLE processes = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 process{};
    process.dwSize = sizeof(process);
    for (BOOL more = Process32First(processes, &process); more && !child; more = Process32Next(processes, &process))
        if (process.th32ParentProcessID == GetCurrentProcessId() && _stricmp(process.szExeFile, exe) == 0)
            child = process.th32ProcessID;
    CloseHandle(processes);
    constexpr char kOleWindow[] = "OleMainThreadWndClass";
    for (HWND parent : {HWND{nullptr}, HWND_MESSAGE}) {
        for (HWND w = FindWindowExA(parent, nullptr, kOleWindow, nullptr); w && child;
             w = FindWindowExA(parent, w, kOleWindow, nullptr)) {
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            if (owner == child) return true;
        }
    }
    return false;
}

class BoxTest : public BoxFixture {};

TEST_F(BoxTest, FirstRunShowsAnEmptyBoxAndCreatesTheFile) {
    const BoxWindows w = launch();
    ASSERT_TRUE(w.main && w.overlay && w.owner);
    EXPECT_TRUE(fileExists(prefs()));
    EXPECT_EQ(readFileBytes(prefs()), "");

    // The owner: captioned, never shown. The box: two popups stacked exactly.
    EXPECT_EQ(GetWindowLongA(w.owner, GWL_STYLE) & WS_CAPTION, WS_CAPTION);
    EXPECT_FALSE(IsWindowVisible(w.owner));
    EXPECT_EQ(GetWindow(w.overlay, GW_OWNER), w.main);
    EXPECT_TRUE(GetWindowLongA(w.main, GWL_STYLE) & WS_POPUP);
    EXPECT_TRUE(GetWindowLongA(w.main, GWL_EXSTYLE) & WS_EX_LAYERED);
    // "Immer im Vordergrund" is off by default: not topmost.
    EXPECT_FALSE((GetWindowLongA(w.main, GWL_EXSTYLE) | GetWindowLongA(w.overlay, GWL_EXSTYLE)) & WS_EX_TOPMOST);
    EXPECT_EQ(GetWindowLongA(w.overlay, GWL_EXSTYLE), WS_EX_LAYERED);

    BYTE alpha = 0;
    DWORD flags = 0;
    COLORREF key = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(w.main, nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 200);
    EXPECT_EQ(flags, static_cast<DWORD>(LWA_ALPHA));
    ASSERT_TRUE(GetLayeredWindowAttributes(w.overlay, &key, nullptr, &flags));
    EXPECT_EQ(key, RGB(255, 0, 255));
    EXPECT_EQ(flags, static_cast<DWORD>(LWA_COLORKEY));

    // Vertical, unpinned and empty: one cell wide, the grip strip high, at 0, 0.
    EXPECT_EQ(clientRectOnScreen(w.main), (Rect{0, 0, 42, 15}));
    EXPECT_EQ(clientRectOnScreen(w.overlay), (Rect{0, 0, 42, 15}));
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    EXPECT_NE(GetWindowRgn(w.main, region), ERROR);
    EXPECT_NE(GetWindowRgn(w.overlay, region), ERROR);
    DeleteObject(region);
    EXPECT_EQ(screenPixel(5, 5), kGripBar);

    quitThrough(w.main);
    EXPECT_EQ(readFileBytes(prefs()), "X = 0\r\nY = 0\r\nKivolt fixieren = 0\r\n");
}

TEST_F(BoxTest, StoredShortcutsAreShownAndSavedBackAtQuit) {
    writePrefs("; meine Box\r\nFensterPos = 1\r\nX = 300\r\nY = 200\r\n"
               "[7]\r\nPfad = C:\\windows\r\nAlsAdmin = 0\r\nProgramm Parameter = \r\nAusf\xFChrung = 0\r\nName = Windows\r\n"
               "[3]\r\nPfad = C:\\windows\\notepad.exe\r\nProgramm Parameter = a b\r\nAusf\xFChrung = 2\r\nName = Editor\r\n");
    const BoxWindows w = launch();
    ASSERT_TRUE(w.main && w.overlay);
    // Horizontal: the grip strip and two cells in one row.
    EXPECT_EQ(clientRectOnScreen(w.main), (Rect{300, 200, 2 * 42 + 15, 42}));
    EXPECT_EQ(screenPixel(300 + 5, 200 + 17), kGripBar);
    // The folder icon is drawn in the first cell: some pixel there is neither key nor background.
    bool iconDrawn = false;
    for (int y = 5; y < 37 && !iconDrawn; ++y)
        for (int x = 20; x < 52 && !iconDrawn; ++x) {
            const Colour c = screenPixel(300 + x, 200 + y);
            iconDrawn = c != RGB(255, 0, 255) && c != RGB(205, 205, 205) && c != 0;
        }
    EXPECT_TRUE(iconDrawn);

    quitThrough(w.overlay);
    EXPECT_EQ(readFileBytes(prefs()),
              "; meine Box\r\nFensterPos = 1\r\nX = 300\r\nY = 200\r\nKivolt fixieren = 0\r\n"
              "[0]\r\nPfad = C:\\windows\r\nAlsAdmin = 0\r\nProgramm Parameter = \r\nAusf\xFChrung = 0\r\nName = Windows\r\n"
              "[1]\r\nPfad = C:\\windows\\notepad.exe\r\nAlsAdmin = 0\r\nProgramm Parameter = a b\r\nAusf\xFChrung = 2\r\n"
              "Name = Editor\r\n");
}

TEST_F(BoxTest, NameBalloonOpensOverAnIconAndClosesOffIt) {
    writePrefs("FensterPos = 1\r\nX = 400\r\nY = 100\r\n[0]\r\nPfad = C:\\windows\r\nName = Windows\r\n");
    const BoxWindows w = launch();
    ASSERT_TRUE(w.main);
    SetCursorPos(400 + 30, 100 + 20);
    BoxProcess::settle();
    const HWND balloon = box->findWindow("");
    ASSERT_NE(balloon, nullptr);
    EXPECT_EQ(GetWindow(balloon, GW_OWNER), w.main);
    EXPECT_TRUE(IsWindowVisible(balloon));
    // Upper half, horizontal: below the icon, arrow centred on it.
    RECT r{};
    GetWindowRect(balloon, &r);
    EXPECT_EQ(r.top, 100 + 5 + 32);
    EXPECT_EQ(r.bottom - r.top, 50);
    EXPECT_EQ(screenPixel(r.left + 3, r.top + 30), RGB(32, 32, 32));

    SetCursorPos(1000, 800);
    BoxProcess::settle();
    DWORD_PTR answer = 0;
    EXPECT_TRUE(SendMessageTimeoutA(w.main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer)) << "box hangs";
    POINT p; GetCursorPos(&p);
    EXPECT_EQ(p.x, 1000);
    EXPECT_EQ(box->findWindow(""), nullptr) << IsWindow(balloon) << " " << IsWindowVisible(balloon);
    quitThrough(w.main);
}

TEST_F(BoxTest, MovingTheBoxSnapsToTheWorkAreaAndTheOverlayFollows) {
    writePrefs("X = 500\r\nY = 500\r\n");
    const BoxWindows w = launch();
    ASSERT_TRUE(w.main);
    SetWindowPos(w.main, nullptr, 20, 600, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    BoxProcess::settle();
    EXPECT_EQ(clientRectOnScreen(w.main).x, 0);
    EXPECT_EQ(clientRectOnScreen(w.main).y, 600);
    EXPECT_EQ(clientRectOnScreen(w.overlay), clientRectOnScreen(w.main));

    const int screenRight = GetSystemMetrics(SM_CXSCREEN);
    SetWindowPos(w.main, nullptr, screenRight - 40, 600, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    BoxProcess::settle();
    EXPECT_EQ(clientRectOnScreen(w.main).x, screenRight - 40 + 30);  // sticks out: pushed further
    quitThrough(w.main);
    // Saved inside the work area.
    EXPECT_EQ(readFileBytes(prefs()), "X = " + std::to_string(screenRight - 42) + "\r\nY = 600\r\nKivolt fixieren = 0\r\n");
}

TEST_F(BoxTest, TopmostAtStartOnlyWhenStoredSo) {
    for (const int onTop : {0, 1}) {
        SCOPED_TRACE(onTop);
        writePrefs("ImVordergrund = " + std::to_string(onTop) + "\r\nX = 64\r\nY = 64\r\n");
        const BoxWindows w = launch();
        ASSERT_TRUE(w.main);
        // Wine puts only the owned OverlayWindow into the topmost band when the MainWindow's
        // own owner is not topmost; Windows marks the MainWindow itself.
        const LONG exStyles = GetWindowLongA(w.main, GWL_EXSTYLE) | GetWindowLongA(w.overlay, GWL_EXSTYLE);
        EXPECT_EQ((exStyles & WS_EX_TOPMOST) != 0, onTop == 1);
        quitThrough(w.main);
    }
}

TEST_F(BoxTest, StoredPositionOnNoMonitorStartsFullyVisibleOnTheNearestOne) {
    writePrefs("FensterPos = 1\r\nX = 5000\r\nY = 3000\r\n[0]\r\nPfad = C:\\windows\r\nName = Windows\r\n");
    const BoxWindows w = launch();
    ASSERT_TRUE(w.main);
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    // The bottom-right corner of the work area, the nearest place to (5000, 3000).
    const Rect expected{static_cast<int>(work.right) - 57, static_cast<int>(work.bottom) - 42, 57, 42};
    EXPECT_TRUE(waitForClientRect(w.main, expected)) << ::testing::PrintToString(clientRectOnScreen(w.main));
    EXPECT_TRUE(waitForClientRect(w.overlay, expected)) << ::testing::PrintToString(clientRectOnScreen(w.overlay));
    EXPECT_EQ(screenPixel(expected.x + 5, expected.y + 17), kGripBar);
    quitThrough(w.main);
    EXPECT_EQ(readFileBytes(prefs()).find("X = " + std::to_string(expected.x) + "\r\nY = " + std::to_string(expected.y)),
              std::string("FensterPos = 1\r\n").size());
}

TEST_F(BoxTest, SessionEndSavesWhileRunningAndLaterChangesAreSavedToo) {
    writePrefs("X = 64\r\nY = 64\r\n");
    const BoxWindows w = launch();
    ASSERT_TRUE(w.main);
    EXPECT_EQ(SendMessageA(w.main, WM_QUERYENDSESSION, 0, 0), TRUE);
    SendMessageA(w.main, WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(readFileBytes(prefs()), "X = 64\r\nY = 64\r\nKivolt fixieren = 0\r\n");
    // The session did not end after all (a cancelled shutdown, the restart manager): the box
    // goes on saving what changes.
    SetWindowPos(w.main, nullptr, 400, 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(waitUntil([&] { return readFileBytes(prefs()) == "X = 400\r\nY = 300\r\nKivolt fixieren = 0\r\n"; }))
        << readFileBytes(prefs());
    box->kill();
}

TEST_F(BoxTest, FileThatCouldNotBeReadAtStartIsNotOverwrittenAtQuit) {
    const std::string stored = "X = 10\r\nY = 10\r\n[0]\r\nPfad = C:\\windows\r\nName = Windows\r\n";
    writePrefs(stored);
    // Another program holds the file exclusively while the box starts, then lets go.
    HANDLE lock = CreateFileA(prefs().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    const BoxWindows w = launch();
    CloseHandle(lock);
    ASSERT_TRUE(w.main);
    quitThrough(w.main);
    EXPECT_EQ(readFileBytes(prefs()), stored);
}

TEST_F(BoxTest, FileHeldForAMomentAtStartIsReadOnceItComesFree) {
    const std::string stored = "X = 300\r\nY = 200\r\nKivolt fixieren = 0\r\n[0]\r\nPfad = C:\\windows\r\n"
                               "AlsAdmin = 0\r\nProgramm Parameter = \r\nAusf\xFChrung = 0\r\nName = Windows\r\n";
    writePrefs(stored);
    HANDLE lock = CreateFileA(prefs().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    // Let go while the box waits for the file: it waits about two seconds from its first read,
    // which comes after its OLE start-up (under Wine, about a second after).
    std::thread release([lock] {
        waitUntil([] { return childStartedOle("kivolt.exe"); }, 20000);
        Sleep(1500);
        CloseHandle(lock);
    });
    const BoxWindows w = launch();
    release.join();
    ASSERT_TRUE(w.main);
    EXPECT_EQ(clientRectOnScreen(w.main), (Rect{300, 200, 42, 15 + 42})) << "the stored shortcut and position";
    quitThrough(w.main);
    EXPECT_EQ(readFileBytes(prefs()), stored);
}

TEST_F(BoxTest, PrefsFileDeletedWhileRunningIsNotRecreatedAtQuit) {
    const BoxWindows w = launch();
    ASSERT_TRUE(w.main);
    ASSERT_TRUE(DeleteFileA(prefs().c_str()));
    quitThrough(w.main);
    EXPECT_FALSE(fileExists(prefs()));
}

}  // namespace
}  // namespace kivolt::test
