// The real program keeps its file up to date as it runs: every change is on disk soon after it
// is made, so a kill right after loses nothing; a save that finds the file held is made once
// the file comes free; closing the hidden owner window quits and saves; opening the settings
// changes nothing on the box.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>

#include "box_fixture_win.h"
#include "event_pump_win.h"
#include "file_drag_win.h"

namespace kivolt::test {
namespace {

constexpr char kConfigTitle[] = "Kivolt - Konfiguration";
constexpr Colour kGripBar = RGB(79, 79, 79);

// Context menu items, counted in VK_DOWN presses from the top.
constexpr int kMenuRemove = 4;
constexpr int kMenuProperties = 5;
constexpr int kMenuPin = 6;
constexpr int kMenuSettings = 7;

// The menu command "Kivolt fixieren" as the popup menu sends it to the MainWindow.
constexpr WPARAM kPinCommand = 5;

// Control ids of the two dialogs.
constexpr int kOrientation = 16;
constexpr int kCancel = 18;
constexpr int kSave = 20;
constexpr int kName = 31;
constexpr int kPropertiesSave = 36;

// A horizontal box at (300, 200), far from every edge it could snap to.
constexpr Point kBox{300, 200};
Point iconCentre(int i) { return rowIconCentre(kBox, i); }
constexpr Point kGrip{kBox.x + 5, kBox.y + 20};

// The file as the program writes it, so a save of an unchanged box gives the same bytes.
std::string savedFile(Point position, bool pinned, const std::string& groups) {
    return "FensterPos = 1\r\nX = " + std::to_string(position.x) + "\r\nY = " + std::to_string(position.y) +
           "\r\nKivolt fixieren = " + (pinned ? "1" : "0") + "\r\n" + groups;
}

std::string folders(std::initializer_list<const char*> names, int first = 0) {
    std::string groups;
    int index = first;
    for (const char* name : names) groups += prefsGroup(index++, "C:\\windows", "", 0, name);
    return groups;
}

// The identity of the file now at `path`: the crash-safe rewrite puts a new file there.
ULONGLONG fileIdentity(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    BY_HANDLE_FILE_INFORMATION info{};
    const BOOL known = file != INVALID_HANDLE_VALUE && GetFileInformationByHandle(file, &info);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    return known ? (ULONGLONG{info.nFileIndexHigh} << 32) | info.nFileIndexLow : 0;
}

// Drags a folder from a window of this test onto the box's grip strip, where a drop puts it
// in front of the other shortcuts.
void dropOntoTheGrip(const wchar_t* folderPath) {
    const Point start{900, 700};
    DragStartWindow source({start.x - 40, start.y - 40});
    ASSERT_TRUE(source.ready());
    ComPtr<IDataObject> data = oneFormatData(CF_HDROP, fileDropBlock({folderPath}));
    const DragResult drag = dragWithPointer(data.get(), start, {{kGrip.x + 20, kGrip.y + 10}, kGrip});
    EXPECT_EQ(drag.hr, DRAGDROP_S_DROP);
    EXPECT_EQ(drag.effect, static_cast<DWORD>(DROPEFFECT_COPY));
}

class SavingTest : public BoxFixture {};

TEST_F(SavingTest, EachKindOfChangeIsOnDiskBeforeAKill) {
    const std::string base = savedFile(kBox, false, folders({"A", "B", "C"}));
    const struct {
        const char* what;
        std::function<void()> change;
        std::function<std::string(const BoxWindows&)> expected;
    } kinds[] = {
        {"Kivolt fixieren", [] { menuCommand(iconCentre(0), iconCentre(0), kMenuPin); },
         [](const BoxWindows&) { return savedFile(kBox, true, folders({"A", "B", "C"})); }},
        {"Verknüpfung entfernen", [] { menuCommand(iconCentre(1), iconCentre(1), kMenuRemove); },
         [](const BoxWindows&) { return savedFile(kBox, false, folders({"A", "C"})); }},
        {"reorder by a drag",
         [] { dragWithLeftButton(iconCentre(0), 2 * 42 + 11, 0); },  // past C's middle: A goes after C
         [](const BoxWindows&) { return savedFile(kBox, false, folders({"B", "C", "A"})); }},
        {"Eigenschaften saved",
         [this] {
             menuCommand(iconCentre(2), iconCentre(2), kMenuProperties);
             const HWND dialog = box->waitForWindow("C - Eigenschaften");
             ASSERT_NE(dialog, nullptr);
             SendDlgItemMessageA(dialog, kName, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Neu"));
             SendDlgItemMessageA(dialog, kPropertiesSave, BM_CLICK, 0, 0);
             EXPECT_TRUE(closes(dialog));
         },
         [](const BoxWindows&) { return savedFile(kBox, false, folders({"A", "B", "Neu"})); }},
        {"drop", [] { dropOntoTheGrip(L"C:\\windows\\system32"); },
         [](const BoxWindows&) {
             return savedFile(kBox, false,
                              prefsGroup(0, "C:\\windows\\system32", "", 0, "system32") + folders({"A", "B", "C"}, 1));
         }},
        {"move by the grip",
         [] { dragWithLeftButton(kGrip, 200, 100); },
         [](const BoxWindows& w) {
             const Rect moved = clientRectOnScreen(w.main);
             EXPECT_NE(moved.x, kBox.x) << "the grip did not move the box";
             return savedFile({moved.x, moved.y}, false, folders({"A", "B", "C"}));
         }},
    };
    for (const auto& kind : kinds) {
        SCOPED_TRACE(kind.what);
        const BoxWindows w = start(base);
        ASSERT_TRUE(w.main);
        kind.change();
        BoxProcess::settle();
        const std::string expected = kind.expected(w);
        EXPECT_TRUE(prefsBecome(expected)) << readFileBytes(prefs());
        box->kill();
        EXPECT_EQ(readFileBytes(prefs()), expected);
        EXPECT_FALSE(fileExists(prefs() + ".tmp"));
    }
}

TEST_F(SavingTest, ChangesThatCancelOutWriteNothing) {
    const std::string base = savedFile(kBox, false, folders({"A"}));
    const BoxWindows w = start(base);
    ASSERT_TRUE(w.main);
    const ULONGLONG before = fileIdentity(prefs());
    ASSERT_NE(before, 0u);
    // Pinned and unpinned within one burst, as the menu sends the command.
    for (int toggle = 0; toggle < 2; ++toggle) SendMessageA(w.main, WM_COMMAND, kPinCommand, 0);
    // Long enough for a save to have happened had there been one to make.
    BoxProcess::settle(1500);
    EXPECT_EQ(fileIdentity(prefs()), before) << "the file was rewritten";
    EXPECT_EQ(readFileBytes(prefs()), base);
    box->kill();
}

TEST_F(SavingTest, FileHeldByAnotherProgramIsWrittenOnceItComesFree) {
    const BoxWindows w = start(savedFile(kBox, false, folders({"A"})));
    ASSERT_TRUE(w.main);
    const std::string pinned = savedFile(kBox, true, folders({"A"}));
    {
        // A sync client reading the file without delete sharing: the rename over it fails.
        HANDLE holder = CreateFileA(prefs().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(holder, INVALID_HANDLE_VALUE);
        menuCommand(iconCentre(0), iconCentre(0), kMenuPin);
        EXPECT_FALSE(prefsBecome(pinned, 2000)) << "written although the file was held";
        CloseHandle(holder);
    }
    EXPECT_TRUE(prefsBecome(pinned, 15000)) << readFileBytes(prefs());
    EXPECT_FALSE(fileExists(prefs() + ".tmp"));
    box->kill();
}

TEST_F(SavingTest, SettingsSavedWhileTheFileIsHeldAreWrittenOnceItComesFree) {
    const std::string before = savedFile(kBox, false, folders({"A"}));
    const BoxWindows w = start(before);
    ASSERT_TRUE(w.main);
    menuCommand(kGrip, kGrip, kMenuSettings);
    const HWND dialog = box->waitForWindow(kConfigTitle);
    ASSERT_NE(dialog, nullptr);
    const auto optionsStored = [&] {
        return readFileBytes(prefs()).find("Hintergrunddarstellung = 0\r\n[0]") != std::string::npos;
    };
    {
        HANDLE holder = CreateFileA(prefs().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(holder, INVALID_HANDLE_VALUE);
        SendDlgItemMessageA(dialog, kSave, BM_CLICK, 0, 0);  // "Speichern": applies and closes
        EXPECT_TRUE(closes(dialog));
        EXPECT_FALSE(waitUntil(optionsStored, 1500));
        EXPECT_EQ(readFileBytes(prefs()), before);
        CloseHandle(holder);
    }
    EXPECT_TRUE(waitUntil(optionsStored, 15000)) << readFileBytes(prefs());
    box->kill();
}

TEST_F(SavingTest, CloseRequestForTheOwnerWindowQuitsAndSaves) {
    const BoxWindows w = start(savedFile(kBox, false, folders({"A", "B"})));
    ASSERT_TRUE(w.main && w.owner);
    SetWindowPos(w.main, nullptr, 500, 400, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    PostMessageA(w.owner, WM_CLOSE, 0, 0);
    EXPECT_EQ(box->waitForExit(), 0u) << "not the clean exit of \"Beenden\"";
    EXPECT_EQ(readFileBytes(prefs()), savedFile({500, 400}, false, folders({"A", "B"})));
}

TEST_F(SavingTest, SettingsOpenedAndCancelledLeaveTheBoxAsItWas) {
    const std::string probe = launchProbePath();
    const std::string groups = prefsGroup(0, probe, "--eins", 0, "Eins") + prefsGroup(1, probe, "--zwei", 0, "Zwei");
    const BoxWindows w = start(savedFile(kBox, false, groups));
    ASSERT_TRUE(w.main);
    const Rect row = clientRectOnScreen(w.main);
    // A second instance turned the box vertical meanwhile.
    const std::string column = "FensterPos = 0\r\nX = 300\r\nY = 200\r\nKivolt fixieren = 0\r\n" + groups;
    writeFileBytes(prefs(), column);

    menuCommand(kGrip, kGrip, kMenuSettings);
    const HWND dialog = box->waitForWindow(kConfigTitle);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(SendDlgItemMessageA(dialog, kOrientation, CB_GETCURSEL, 0, 0), 0) << "the dialog shows the file";
    SendDlgItemMessageA(dialog, kCancel, BM_CLICK, 0, 0);
    ASSERT_TRUE(closes(dialog));
    BoxProcess::settle(800);  // a repaint or two

    EXPECT_EQ(clientRectOnScreen(w.main), row);
    EXPECT_EQ(screenPixel(kBox.x + 5, kBox.y + 30), kGripBar) << "the grip strip stays on the left";
    // Hit-tested as the row it still is: the right edge of the first icon starts the first
    // shortcut (laid out as a column, that point lies in the second cell).
    clickAt(iconCentre(0).x + 14, kBox.y + 30);
    const std::string started = waitForProbeRecord(record);
    EXPECT_NE(started.find("--eins"), std::string::npos) << started;
    PostMessageA(w.main, WM_CLOSE, 0, 0);
    EXPECT_EQ(box->waitForExit(), 0u);
    EXPECT_EQ(readFileBytes(prefs()), column) << "the quit writes the window state, not the settings";
}

}  // namespace
}  // namespace kivolt::test
