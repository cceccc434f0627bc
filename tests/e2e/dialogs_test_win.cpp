// The two dialogs of the real program: the configuration dialog filled from the prefs file,
// applied to the box, the file and the autostart link or abandoned; the properties dialog
// whose values the next launch and the quit use.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "box_fixture_win.h"

namespace kivolt::test {
namespace {

constexpr char kConfigTitle[] = "Kivolt - Konfiguration";

// Context menu items, counted in VK_DOWN presses from the top.
constexpr int kMenuProperties = 5;
constexpr int kMenuSettings = 7;

// Control ids of the configuration dialog.
constexpr int kAlwaysOnTop = 2;
constexpr int kAutostart = 3;
constexpr int kAutoHide = 4;
constexpr int kDrawBorder = 5;
constexpr int kMarkRunning = 7;
constexpr int kItemSizeValue = 12;
constexpr int kTransparencyValue = 13;
constexpr int kTransparency = 15;
constexpr int kOrientation = 16;
constexpr int kItemSize = 17;
constexpr int kCancel = 18;
constexpr int kApply = 19;
constexpr int kSave = 20;
constexpr int kShowImage = 22;
constexpr int kImagePath = 24;
constexpr int kImageMode = 26;

// Control ids of the properties dialog.
constexpr int kRunAsAdmin = 28;
constexpr int kRunMode = 29;
constexpr int kParameters = 30;
constexpr int kName = 31;
constexpr int kPropertiesCancel = 35;
constexpr int kPropertiesSave = 36;

// The box stands at (300, 200); its grip strip is in its top-left corner either way round.
constexpr int kBoxX = 300;
constexpr int kBoxY = 200;
constexpr Point kGrip{kBoxX + 5, kBoxY + 5};

std::string position() { return "X = " + std::to_string(kBoxX) + "\r\nY = " + std::to_string(kBoxY) + "\r\n"; }


LRESULT sendTo(HWND dialog, int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendMessageA(GetDlgItem(dialog, id), message, wParam, lParam);
}
bool checked(HWND dialog, int id) { return sendTo(dialog, id, BM_GETCHECK) == BST_CHECKED; }
void setChecked(HWND dialog, int id, bool on) { sendTo(dialog, id, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED); }
LRESULT trackbarPos(HWND dialog, int id) { return sendTo(dialog, id, TBM_GETPOS); }
void setTrackbarPos(HWND dialog, int id, int pos) { sendTo(dialog, id, TBM_SETPOS, TRUE, pos); }
LRESULT selection(HWND dialog, int id) { return sendTo(dialog, id, CB_GETCURSEL); }
void select(HWND dialog, int id, int index) { sendTo(dialog, id, CB_SETCURSEL, index); }
// WM_GETTEXT and WM_SETTEXT are carried across processes; the edits keep their text to themselves.
std::string textOf(HWND dialog, int id) {
    char text[512] = "";
    sendTo(dialog, id, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text));
    return text;
}
void setText(HWND dialog, int id, const char* text) {
    sendTo(dialog, id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}
bool enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }
// A click as the user gives it, in the middle of the button.
void clickButton(HWND dialog, int id) {
    RECT r{};
    GetWindowRect(GetDlgItem(dialog, id), &r);
    clickAt((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}
void pushButton(HWND dialog, int id) { sendTo(dialog, id, BM_CLICK); }

Size clientSize(HWND hwnd) {
    RECT r{};
    GetClientRect(hwnd, &r);
    return {r.right, r.bottom};
}
int alphaOf(HWND hwnd) {
    BYTE alpha = 0;
    DWORD flags = 0;
    return GetLayeredWindowAttributes(hwnd, nullptr, &alpha, &flags) && (flags & LWA_ALPHA) ? alpha : -1;
}
bool topmost(HWND hwnd) { return (GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

// The current user's Startup folder in this prefix, made if the prefix has none yet.
std::string autostartLinkPath() {
    char folder[MAX_PATH] = "";
    if (!SHGetSpecialFolderPathA(nullptr, folder, CSIDL_STARTUP, TRUE)) return "";
    return std::string(folder) + "\\Kivolt3.lnk";
}

// Removes the link before and after a test, so no run leaves a box starting with the prefix.
class AutostartLinkCleanup {
public:
    explicit AutostartLinkCleanup(std::string path) : path_(std::move(path)) { DeleteFileA(path_.c_str()); }
    ~AutostartLinkCleanup() { DeleteFileA(path_.c_str()); }
    AutostartLinkCleanup(const AutostartLinkCleanup&) = delete;
    AutostartLinkCleanup& operator=(const AutostartLinkCleanup&) = delete;

private:
    std::string path_;
};

struct LinkContents {
    std::string target, workingDir, arguments, description, iconPath;
    int iconIndex = -1;
    int showCmd = -1;
    WORD hotkey = 0xFFFF;
};

std::string ansi(const wchar_t* text) {
    char out[MAX_PATH * 2] = "";
    WideCharToMultiByte(CP_ACP, 0, text, -1, out, sizeof(out), nullptr, nullptr);
    return out;
}

// Reads a .lnk through the shell's link object, as the shell does at log-on.
std::optional<LinkContents> readLink(const std::string& path) {
    std::optional<LinkContents> result;
    CoInitialize(nullptr);
    IShellLinkW* link = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&link)))) {
        IPersistFile* file = nullptr;
        wchar_t widePath[MAX_PATH] = L"";
        MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, widePath, MAX_PATH);
        if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
            SUCCEEDED(file->Load(widePath, STGM_READ))) {
            LinkContents c;
            wchar_t text[MAX_PATH] = L"";
            link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH);
            c.target = ansi(text);
            link->GetWorkingDirectory(text, MAX_PATH);
            c.workingDir = ansi(text);
            link->GetArguments(text, MAX_PATH);
            c.arguments = ansi(text);
            link->GetDescription(text, MAX_PATH);
            c.description = ansi(text);
            link->GetIconLocation(text, MAX_PATH, &c.iconIndex);
            c.iconPath = ansi(text);
            link->GetShowCmd(&c.showCmd);
            link->GetHotkey(&c.hotkey);
            result = c;
        }
        if (file) file->Release();
        link->Release();
    }
    CoUninitialize();
    return result;
}

class DialogTest : public BoxFixture {
protected:
    HWND openSettings() {
        menuCommand(kGrip, kGrip, kMenuSettings);
        return box->waitForWindow(kConfigTitle);
    }
    static bool clientBecomes(HWND hwnd, const Rect& expected) {
        return waitUntil([&] { return clientRectOnScreen(hwnd) == expected; });
    }
};

TEST_F(DialogTest, SettingsShowTheFileAndApplyUpdatesFileAndBox) {
    const std::string shortcut = prefsGroup(0, "C:\\windows", "", 0, "Windows");
    const BoxWindows w = start("; meine Box\r\n" + position() +
                               "ImVordergrund = 1\r\nItemgrösse = 48\r\nTransparenz = 150\r\nRahmen = 0\r\n"
                               "AktiveProgrammeMarkieren = 1\r\nHintergrundbild = C:\\kein Bild.png\r\n"
                               "Hintergrunddarstellung = 2\r\n" + shortcut);
    ASSERT_TRUE(w.main && w.overlay);
    EXPECT_EQ(clientRectOnScreen(w.main), (Rect{kBoxX, kBoxY, 58, 15 + 58}));  // vertical, cell 48 + 10
    const bool mainWasTopmost = topmost(w.main);
    EXPECT_TRUE(mainWasTopmost || topmost(w.overlay));  // at every start, whatever the file says

    const HWND dialog = openSettings();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_EQ(clientSize(dialog), (Size{470, 300}));
    EXPECT_EQ(trackbarPos(dialog, kItemSize), 48);
    EXPECT_EQ(textOf(dialog, kItemSizeValue), "48");
    EXPECT_EQ(trackbarPos(dialog, kTransparency), 150);
    EXPECT_EQ(textOf(dialog, kTransparencyValue), "150");
    EXPECT_TRUE(checked(dialog, kAlwaysOnTop));
    EXPECT_FALSE(checked(dialog, kAutostart));
    EXPECT_FALSE(checked(dialog, kAutoHide));
    EXPECT_TRUE(checked(dialog, kMarkRunning));
    EXPECT_FALSE(checked(dialog, kDrawBorder));
    EXPECT_FALSE(checked(dialog, kShowImage));
    EXPECT_EQ(selection(dialog, kOrientation), 0);
    EXPECT_EQ(selection(dialog, kImageMode), 2);
    EXPECT_EQ(textOf(dialog, kImagePath), "C:\\kein Bild.png");

    setChecked(dialog, kAlwaysOnTop, false);
    setChecked(dialog, kDrawBorder, true);
    setChecked(dialog, kShowImage, true);
    select(dialog, kOrientation, 1);
    setTrackbarPos(dialog, kItemSize, 40);
    setTrackbarPos(dialog, kTransparency, 100);
    clickButton(dialog, kApply);

    // Keys already in the file change in place; the missing ones follow them in write order.
    EXPECT_TRUE(prefsBecome("; meine Box\r\n" + position() +
                            "ImVordergrund = 0\r\nItemgrösse = 40\r\nTransparenz = 100\r\nRahmen = 1\r\n"
                            "AktiveProgrammeMarkieren = 1\r\nHintergrundbild = C:\\kein Bild.png\r\n"
                            "Hintergrunddarstellung = 2\r\nAutostart = 0\r\nAutomAusblenden = 0\r\nFensterPos = 1\r\n"
                            "HintergrundFarbe = 13487565\r\nHintergrund zeichnen = 1\r\n" + shortcut))
        << readFileBytes(prefs());
    // Horizontal now, cell 40 + 10, not snapped away from where it stood.
    EXPECT_TRUE(clientBecomes(w.main, {kBoxX, kBoxY, 15 + 50, 50})) << clientRectOnScreen(w.main).w;
    EXPECT_EQ(clientRectOnScreen(w.overlay), clientRectOnScreen(w.main));
    EXPECT_EQ(alphaOf(w.main), 100);
    // Out of the topmost band. On Windows the MainWindow was in it and takes its owned
    // OverlayWindow along when it leaves. Wine put only the OverlayWindow there at start (see
    // BoxTest), and HWND_NOTOPMOST has no effect on a window that is not topmost itself, so
    // under Wine the OverlayWindow stays topmost.
    EXPECT_FALSE(topmost(w.main));
    if (mainWasTopmost) {
        EXPECT_FALSE(topmost(w.overlay));
    }
    EXPECT_TRUE(IsWindow(dialog) && IsWindowVisible(dialog));  // "Übernehmen" keeps it open
    quitThrough(w.main);
}

TEST_F(DialogTest, AbandonedEditsApplyNothingAndSaveAppliesAndCloses) {
    const std::string saved = position() + "Kivolt fixieren = 0\r\n" + prefsGroup(0, "C:\\windows", "", 0, "Windows");
    const BoxWindows w = start(saved);
    ASSERT_TRUE(w.main);
    const Rect box{kBoxX, kBoxY, 42, 15 + 42};
    EXPECT_EQ(clientRectOnScreen(w.main), box);

    const struct {
        const char* how;
        std::function<void(HWND)> discard;
    } ways[] = {
        {"Abbrechen", [](HWND dialog) { pushButton(dialog, kCancel); }},
        {"close box", [](HWND dialog) { PostMessageA(dialog, WM_CLOSE, 0, 0); }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.how);
        const HWND dialog = openSettings();
        ASSERT_NE(dialog, nullptr);
        // Every opening shows the file, not what an earlier dialog was left with.
        EXPECT_TRUE(checked(dialog, kDrawBorder));
        EXPECT_EQ(trackbarPos(dialog, kTransparency), 200);
        EXPECT_EQ(selection(dialog, kOrientation), 0);
        EXPECT_EQ(trackbarPos(dialog, kItemSize), 32);
        setChecked(dialog, kDrawBorder, false);
        setTrackbarPos(dialog, kTransparency, 50);
        select(dialog, kOrientation, 1);
        setTrackbarPos(dialog, kItemSize, 64);
        way.discard(dialog);
        EXPECT_TRUE(closes(dialog));
        BoxProcess::settle();
        EXPECT_EQ(readFileBytes(prefs()), saved);
        EXPECT_EQ(clientRectOnScreen(w.main), box);
        EXPECT_EQ(alphaOf(w.main), 200);
    }

    const HWND dialog = openSettings();
    ASSERT_NE(dialog, nullptr);
    setTrackbarPos(dialog, kTransparency, 60);
    setTrackbarPos(dialog, kItemSize, 64);
    select(dialog, kOrientation, 1);
    pushButton(dialog, kSave);
    EXPECT_TRUE(closes(dialog));
    // All twelve keys, in write order, after the last global line and before the first group.
    EXPECT_EQ(readFileBytes(prefs()),
              position() + "Kivolt fixieren = 0\r\n"
                           "ImVordergrund = 0\r\nAutostart = 0\r\nAutomAusblenden = 0\r\n"
                           "AktiveProgrammeMarkieren = 0\r\nRahmen = 1\r\nFensterPos = 1\r\nTransparenz = 60\r\n"
                           "HintergrundFarbe = 13487565\r\nItemgrösse = 64\r\nHintergrundbild = \r\n"
                           "Hintergrund zeichnen = 0\r\nHintergrunddarstellung = 0\r\n" +
                  prefsGroup(0, "C:\\windows", "", 0, "Windows"));
    EXPECT_TRUE(clientBecomes(w.main, {kBoxX, kBoxY, 15 + 74, 74}));
    EXPECT_EQ(alphaOf(w.main), 60);
    quitThrough(w.main);
}

TEST_F(DialogTest, AutostartWritesTheLinkToTheProgramAtEveryApplyAndClearingDeletesIt) {
    const std::string link = autostartLinkPath();
    ASSERT_FALSE(link.empty());
    const AutostartLinkCleanup cleanup(link);
    const BoxWindows w = start(position());
    ASSERT_TRUE(w.main);
    const HWND dialog = openSettings();
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(checked(dialog, kAutostart));

    setChecked(dialog, kAutostart, true);
    pushButton(dialog, kApply);
    ASSERT_TRUE(waitUntil([&] { return fileExists(link); }));
    const std::optional<LinkContents> contents = readLink(link);
    ASSERT_TRUE(contents.has_value());
    const std::string exe = kivoltExePath();
    EXPECT_STRCASEEQ(contents->target.c_str(), exe.c_str());
    EXPECT_STRCASEEQ(contents->workingDir.c_str(), exe.substr(0, exe.find_last_of('\\') + 1).c_str());
    EXPECT_STRCASEEQ(contents->iconPath.c_str(), exe.c_str());
    EXPECT_EQ(contents->iconIndex, 0);
    EXPECT_EQ(contents->showCmd, SW_SHOWNORMAL);
    EXPECT_EQ(contents->arguments, "");
    EXPECT_EQ(contents->description, "");
    EXPECT_EQ(contents->hotkey, 0);
    // The link comes before the file is written.
    EXPECT_TRUE(waitUntil([&] { return readFileBytes(prefs()).find("Autostart = 1\r\n") != std::string::npos; }));

    // A link deleted by hand comes back with the next apply.
    ASSERT_TRUE(DeleteFileA(link.c_str()));
    pushButton(dialog, kApply);
    EXPECT_TRUE(waitUntil([&] { return fileExists(link); }));

    setChecked(dialog, kAutostart, false);
    pushButton(dialog, kApply);
    EXPECT_TRUE(waitUntil([&] { return !fileExists(link); }));
    EXPECT_TRUE(waitUntil([&] { return readFileBytes(prefs()).find("Autostart = 0\r\n") != std::string::npos; }));
    quitThrough(w.main);
}

TEST_F(DialogTest, PrefsFileDeletedWhileRunningMakesApplyDoNothing) {
    const std::string link = autostartLinkPath();
    const AutostartLinkCleanup cleanup(link);
    const BoxWindows w = start(position() + prefsGroup(0, "C:\\windows", "", 0, "Windows"));
    ASSERT_TRUE(w.main);
    const Rect box = clientRectOnScreen(w.main);
    const HWND dialog = openSettings();
    ASSERT_NE(dialog, nullptr);

    ASSERT_TRUE(DeleteFileA(prefs().c_str()));
    setChecked(dialog, kAutostart, true);
    select(dialog, kOrientation, 1);
    setTrackbarPos(dialog, kTransparency, 90);
    pushButton(dialog, kApply);
    pushButton(dialog, kSave);  // closes all the same
    EXPECT_TRUE(closes(dialog));
    EXPECT_FALSE(fileExists(prefs()));
    EXPECT_FALSE(fileExists(link));
    EXPECT_EQ(clientRectOnScreen(w.main), box);
    EXPECT_EQ(alphaOf(w.main), 200);
    quitThrough(w.main);
    EXPECT_FALSE(fileExists(prefs()));
}

// A horizontal box: cell i's icon centre.
Point iconCentre(int i) { return rowIconCentre({kBoxX, kBoxY}, i); }

TEST_F(DialogTest, PropertiesFollowTheKindOfShortcutAndReachTheLaunchAndTheFile) {
    const std::string probe = launchProbePath();
    const BoxWindows w = start("FensterPos = 1\r\n" + position() + prefsGroup(0, probe, "", 1, "Probe") +
                               prefsGroup(1, "C:\\windows", "", 0, "Windows"));
    ASSERT_TRUE(w.main);

    // A folder: only the name can be edited; an edit abandoned with "Abbrechen" is not stored.
    menuCommand(iconCentre(1), iconCentre(1), kMenuProperties);
    HWND dialog = box->waitForWindow("Windows - Eigenschaften");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(clientSize(dialog), (Size{280, 190}));
    EXPECT_TRUE(enabled(dialog, kName));
    EXPECT_FALSE(enabled(dialog, kParameters));
    EXPECT_FALSE(enabled(dialog, kRunMode));
    EXPECT_FALSE(enabled(dialog, kRunAsAdmin));
    setText(dialog, kName, "Verworfen");
    pushButton(dialog, kPropertiesCancel);
    ASSERT_TRUE(closes(dialog));

    // A program: everything, filled from the shortcut.
    menuCommand(iconCentre(0), iconCentre(0), kMenuProperties);
    dialog = box->waitForWindow("Probe - Eigenschaften");
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(enabled(dialog, kName));
    EXPECT_TRUE(enabled(dialog, kParameters));
    EXPECT_TRUE(enabled(dialog, kRunMode));
    EXPECT_TRUE(enabled(dialog, kRunAsAdmin));
    EXPECT_EQ(textOf(dialog, kName), "Probe");
    EXPECT_EQ(selection(dialog, kRunMode), 1);  // "Minimiert"
    EXPECT_FALSE(checked(dialog, kRunAsAdmin));
    setText(dialog, kName, "Neu");
    setText(dialog, kParameters, "--neu x");
    select(dialog, kRunMode, 2);
    clickButton(dialog, kPropertiesSave);
    ASSERT_TRUE(closes(dialog));

    clickAt(iconCentre(0).x, iconCentre(0).y);
    const std::string started = waitForProbeRecord(record);
    EXPECT_NE(started.find("--neu x"), std::string::npos) << started;
    EXPECT_NE(started.find("show=3\r\n"), std::string::npos) << started;  // maximised: run mode 2 + 1

    quitThrough(w.main);
    const std::string stored =
        prefsGroup(0, probe, "--neu x", 2, "Neu") + prefsGroup(1, "C:\\windows", "", 0, "Windows");
    EXPECT_NE(readFileBytes(prefs()).find(stored), std::string::npos) << readFileBytes(prefs());
}

}  // namespace
}  // namespace kivolt::test
