#include "dialogs/config_dialog_win.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialogs/colour_swatch_win.h"
#include "dialogs/dialog_controls_win.h"
#include "dialogs/dialog_keys_win.h"
#include "event_pump_win.h"
#include "temp_folder_win.h"
#include "window_test_support_win.h"

namespace kivolt {
namespace {

using test::classOf;
using test::pumpEvents;
using test::pumpMessages;
using test::rectInParent;

class ConfigDialogTest : public ::testing::Test, public test::WindowTestBase {
protected:
    void SetUp() override {
        ASSERT_TRUE(dialog_.open(system()));
        pumpMessages();
    }
    HWND control(int id) const { return GetDlgItem(dialog_.hwnd(), id); }
    std::string text(int id) const { return windowText(control(id)); }

    ConfigDialog dialog_;
};

constexpr DWORD kBase = WS_CHILD | WS_VISIBLE;

struct ExpectedControl {
    int id;
    const char* className;
    Rect rect;
    const char* caption;
    DWORD style;        // all of these bits are set
    DWORD absentStyle;  // none of these
};

// The dialog as the user is meant to see it, in creation order.
const ExpectedControl kExpected[] = {
    {1, "Button", {10, 10, 215, 125}, "Allgemein", kBase | WS_GROUP | BS_GROUPBOX, WS_TABSTOP},
    {2, "Button", {20, 30, 195, 20}, "Immer im Vordergrund", kBase | WS_GROUP | WS_TABSTOP | BS_AUTOCHECKBOX, 0},
    {3, "Button", {20, 50, 195, 20}, "Autostart", kBase | WS_GROUP | WS_TABSTOP | BS_AUTOCHECKBOX, 0},
    {4, "Button", {20, 70, 195, 20}, "Automatisch ausblenden", kBase | WS_GROUP | WS_TABSTOP | BS_AUTOCHECKBOX, 0},
    {7, "Button", {20, 90, 195, 20}, "Aktive Programme markieren", kBase | WS_GROUP | WS_TABSTOP | BS_AUTOCHECKBOX, 0},
    {5, "Button", {20, 110, 195, 20}, "Rahmen zeichnen", kBase | WS_GROUP | WS_TABSTOP | BS_AUTOCHECKBOX, 0},
    {6, "Button", {240, 10, 220, 125}, "Ansicht", kBase | WS_GROUP | BS_GROUPBOX, WS_TABSTOP},
    {8, "Static", {250, 33, 80, 20}, "Hintergrundfarbe", kBase | WS_GROUP, WS_TABSTOP | WS_BORDER},
    {9, "Static", {250, 58, 80, 20}, "Transparenz", kBase | WS_GROUP, WS_TABSTOP | WS_BORDER},
    {10, "Static", {250, 83, 80, 20}, "Ausrichtung", kBase | WS_GROUP, WS_TABSTOP | WS_BORDER},
    {11, "Static", {250, 108, 80, 20}, "Icongr\xF6sse", kBase | WS_GROUP, WS_TABSTOP | WS_BORDER},
    {14, "KivoltCanvas", {335, 30, 100, 20}, "", kBase, WS_TABSTOP | WS_BORDER},
    {15, "msctls_trackbar32", {335, 52, 100, 25}, "", kBase | WS_TABSTOP, WS_GROUP | TBS_VERT | TBS_AUTOTICKS},
    {13, "Static", {435, 57, 20, 20}, "", kBase | WS_GROUP, WS_TABSTOP},
    // A combo box hands its border and scroll bar styles on to its list, which shows the
    // scroll bar only when the items do not fit.
    {16, "ComboBox", {335, 80, 100, 20}, "", kBase | WS_GROUP | WS_TABSTOP | CBS_DROPDOWNLIST, 0},
    {17, "msctls_trackbar32", {335, 105, 100, 25}, "", kBase | WS_TABSTOP, WS_GROUP | TBS_VERT | TBS_AUTOTICKS},
    {12, "Static", {435, 110, 20, 20}, "", kBase | WS_GROUP, WS_TABSTOP},
    {21, "Button", {10, 145, 250, 100}, "Hintergrundbild", kBase | WS_GROUP | BS_GROUPBOX, WS_TABSTOP},
    {22, "Button", {20, 165, 170, 20}, "Hintergrundbild anzeigen", kBase | WS_GROUP | WS_TABSTOP | BS_AUTOCHECKBOX, 0},
    {27, "Static", {20, 190, 60, 20}, "Darstellung", kBase | WS_GROUP, WS_TABSTOP},
    {26, "ComboBox", {80, 187, 170, 20}, "", kBase | WS_GROUP | WS_TABSTOP | CBS_DROPDOWNLIST, 0},
    {23, "Static", {20, 217, 30, 20}, "Bild", kBase | WS_GROUP, WS_TABSTOP},
    {24, "Edit", {50, 215, 160, 20}, "", kBase | WS_GROUP | WS_TABSTOP | ES_AUTOHSCROLL, ES_MULTILINE},
    {25, "Button", {220, 215, 30, 20}, "...", kBase | WS_GROUP | WS_TABSTOP, 0},
    {18, "Button", {10, 260, 100, 30}, "Abbrechen", kBase | WS_GROUP | WS_TABSTOP, 0},
    {19, "Button", {275, 260, 180, 30}, "\xDC" "bernehmen", kBase | WS_GROUP | WS_TABSTOP, 0},
    {20, "Button", {140, 260, 125, 30}, "Speichern", kBase | WS_GROUP | WS_TABSTOP, 0},
};

TEST_F(ConfigDialogTest, WindowIsTheCentredCaptionedDialog) {
    HWND hwnd = dialog_.hwnd();
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(windowIdOf(hwnd), kConfigDialog);
    EXPECT_EQ(windowText(hwnd), "Kivolt - Konfiguration");
    EXPECT_EQ(GetWindow(hwnd, GW_OWNER), nullptr);
    const DWORD style = GetWindowLongA(hwnd, GWL_STYLE);
    EXPECT_EQ(style & WS_CAPTION, static_cast<DWORD>(WS_CAPTION));
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_VISIBLE);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_CHILD | WS_POPUP), 0u);

    RECT client;
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client.right, 470);
    EXPECT_EQ(client.bottom, 300);
    RECT frame;
    GetWindowRect(hwnd, &frame);
    const int screenW = GetSystemMetrics(SM_CXSCREEN), screenH = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_LE(std::abs(frame.left + frame.right - screenW), 1) << "centred horizontally";
    EXPECT_LE(std::abs(frame.top + frame.bottom - screenH), 1) << "centred vertically";
}

TEST_F(ConfigDialogTest, ControlsInCreationOrderWithIdsClassesCaptionsRectanglesAndStyles) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(dialog_.hwnd(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    ASSERT_EQ(children.size(), std::size(kExpected));
    const HGDIOBJ guiFont = GetStockObject(DEFAULT_GUI_FONT);
    for (std::size_t i = 0; i < children.size(); ++i) {
        const ExpectedControl& e = kExpected[i];
        HWND child = children[i];
        SCOPED_TRACE("control " + std::to_string(e.id));
        EXPECT_EQ(GetDlgCtrlID(child), e.id);
        EXPECT_EQ(classOf(child), e.className);
        EXPECT_EQ(windowText(child), e.caption);
        EXPECT_EQ(rectInParent(child), e.rect);
        const DWORD style = GetWindowLongA(child, GWL_STYLE);
        EXPECT_EQ(style & e.style, e.style);
        EXPECT_EQ(style & e.absentStyle, 0u);
        EXPECT_TRUE(IsWindowEnabled(child));
        const DWORD exStyle = GetWindowLongA(child, GWL_EXSTYLE);
        EXPECT_EQ((exStyle & WS_EX_CLIENTEDGE) != 0, e.id == 24);
        if (std::string(e.className) == "Button") {
            const DWORD type = style & BS_TYPEMASK;
            const DWORD expectedType = e.style & BS_TYPEMASK;
            EXPECT_EQ(type, expectedType) << "no default push button";
        }
        if (std::string(e.className) == "Static") {
            EXPECT_EQ(style & SS_TYPEMASK, static_cast<DWORD>(SS_LEFT));
        }
        if (e.id != 14 && e.id != 15 && e.id != 17) {  // text controls
            EXPECT_EQ(reinterpret_cast<HGDIOBJ>(SendMessageA(child, WM_GETFONT, 0, 0)), guiFont);
        }
    }
}

TEST_F(ConfigDialogTest, InitialContents) {
    for (int id : {2, 3, 4, 7, 5, 22}) EXPECT_EQ(IsDlgButtonChecked(dialog_.hwnd(), id), BST_UNCHECKED) << id;
    const struct {
        int id, minimum, maximum;
    } trackbars[] = {{15, 1, 255}, {17, 16, 64}};
    for (const auto& t : trackbars) {
        EXPECT_EQ(SendMessageA(control(t.id), TBM_GETRANGEMIN, 0, 0), t.minimum);
        EXPECT_EQ(SendMessageA(control(t.id), TBM_GETRANGEMAX, 0, 0), t.maximum);
        EXPECT_EQ(SendMessageA(control(t.id), TBM_GETPOS, 0, 0), t.minimum);
    }
    const struct {
        int id;
        std::vector<std::string> items;
    } lists[] = {{16, {"Vertikal", "Horizontal"}},
                 {26, {"Zentrieren", "An Fenstergr\xF6sse anpassen", "Nebeneinander"}}};
    for (const auto& l : lists) {
        std::vector<std::string> items;
        const LRESULT count = SendMessageA(control(l.id), CB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            char item[64] = {};
            SendMessageA(control(l.id), CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
            items.push_back(item);
        }
        EXPECT_EQ(items, l.items);
        EXPECT_EQ(SendMessageA(control(l.id), CB_GETCURSEL, 0, 0), CB_ERR) << "no selection";
        RECT dropped;
        SendMessageA(control(l.id), CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
        // Created 350 tall for the open list: Windows reports all of it, Wine the list part
        // below the closed field as it stood when created.
        EXPECT_GE(dropped.bottom - dropped.top, 320) << "room for the open list";
        EXPECT_LE(dropped.bottom - dropped.top, 350) << "room for the open list";
    }
    EXPECT_EQ(text(24), "");
    EXPECT_EQ(text(13), "");
    EXPECT_EQ(text(12), "");
    EXPECT_EQ(swatchColour(dialog_.hwnd(), 14), 13487565u);
}

std::vector<int> focusWalk(const std::vector<int>& start, int steps, bool backwards, HWND dialog) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = backwards ? 0x80 : 0;
    SetKeyboardState(keys);
    std::vector<int> ids = start;
    for (int i = 0; i < steps; ++i) {
        MSG msg{GetFocus() ? GetFocus() : dialog, WM_KEYDOWN, VK_TAB, 0, 0, {}};
        EXPECT_TRUE(handleDialogKeys(msg));
        ids.push_back(GetDlgCtrlID(GetFocus()));
    }
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    return ids;
}

TEST_F(ConfigDialogTest, TabAndShiftTabWalkTheTabStopsInCreationOrder) {
    SetActiveWindow(dialog_.hwnd());
    ASSERT_EQ(GetActiveWindow(), dialog_.hwnd());
    SetFocus(control(2));
    const std::vector<int> forward = {2, 3, 4, 7, 5, 15, 16, 17, 22, 26, 24, 25, 18, 19, 20, 2, 3};
    EXPECT_EQ(focusWalk({2}, 16, false, dialog_.hwnd()), forward);
    SetFocus(control(3));
    const std::vector<int> backward = {3, 2, 20, 19, 18, 25, 24, 26, 22, 17, 16, 15, 5, 7, 4, 3};
    EXPECT_EQ(focusWalk({3}, 15, true, dialog_.hwnd()), backward);

    // Disabled controls are skipped.
    EnableWindow(control(16), FALSE);
    EnableWindow(control(3), FALSE);
    SetFocus(control(2));
    EXPECT_EQ(focusWalk({2}, 5, false, dialog_.hwnd()), (std::vector<int>{2, 4, 7, 5, 15, 17}));
}

TEST_F(ConfigDialogTest, KeysOnlyCountWhileOneOfOurDialogsIsActive) {
    HWND box = test::createPlainWindow(system(), kMainWindow, {0, 0});
    SetActiveWindow(box);
    SetFocus(box);
    MSG tab{box, WM_KEYDOWN, VK_TAB, 0, 0, {}};
    EXPECT_FALSE(handleDialogKeys(tab));
    DestroyWindow(box);

    SetActiveWindow(dialog_.hwnd());
    for (int key : {VK_RETURN, VK_ESCAPE, int('A')}) {
        MSG msg{control(19), WM_KEYDOWN, static_cast<WPARAM>(key), 0, 0, {}};
        EXPECT_FALSE(handleDialogKeys(msg)) << key;
    }
    MSG release{control(19), WM_KEYUP, VK_TAB, 0, 0, {}};
    EXPECT_FALSE(handleDialogKeys(release));
}

TEST_F(ConfigDialogTest, EnterAndEscapeNeitherCloseTheDialogNorBecomeCommands) {
    SetActiveWindow(dialog_.hwnd());
    for (int focus : {24, 19, 2, 16}) {
        SetFocus(control(focus));
        for (int key : {VK_RETURN, VK_ESCAPE}) {
            PostMessageA(control(focus), WM_KEYDOWN, key, 0);
            PostMessageA(control(focus), WM_CHAR, key == VK_RETURN ? '\r' : 0x1B, 0);
            PostMessageA(control(focus), WM_KEYUP, key, 0);
            for (const LoopEvent& event : pumpEvents(system(), handleDialogKeys)) {
                EXPECT_NE(event.kind, EventKind::MenuCommand) << "focus " << focus << " key " << key;
                EXPECT_NE(event.kind, EventKind::CloseRequest) << "focus " << focus << " key " << key;
                EXPECT_FALSE(event.kind == EventKind::ControlNotification && event.code == BN_CLICKED)
                    << "focus " << focus << " key " << key;
            }
            EXPECT_TRUE(dialog_.exists());
        }
    }
}

TEST_F(ConfigDialogTest, ValueLabelsFollowTheirTrackbars) {
    const struct {
        int trackbar, label;
    } pairs[] = {{15, 13}, {17, 12}};
    for (const auto& p : pairs) {
        SetFocus(control(p.trackbar));
        for (int i = 0; i < 3; ++i) {
            PostMessageA(control(p.trackbar), WM_KEYDOWN, VK_RIGHT, 0);
            PostMessageA(control(p.trackbar), WM_KEYUP, VK_RIGHT, 0);
        }
        int notifications = 0;
        for (const LoopEvent& event : pumpEvents(system(), handleDialogKeys)) {
            if (event.kind != EventKind::ControlNotification) continue;
            ++notifications;
            EXPECT_EQ(dialog_.handleControl(event.id), ConfigAction::None);
        }
        EXPECT_GE(notifications, 3) << p.trackbar;
        const LRESULT position = SendMessageA(control(p.trackbar), TBM_GETPOS, 0, 0);
        EXPECT_GT(position, p.trackbar == 15 ? 1 : 16);
        EXPECT_EQ(text(p.label), std::to_string(position));
    }
    EXPECT_EQ(text(13), "4");
    EXPECT_EQ(text(12), "19");
}

TEST_F(ConfigDialogTest, ButtonsTellTheProgramWhatToDo) {
    const struct {
        int id;
        ConfigAction action;
    } cases[] = {{19, ConfigAction::Apply}, {20, ConfigAction::ApplyAndClose}, {18, ConfigAction::Close},
                 {2, ConfigAction::None},   {16, ConfigAction::None},          {14, ConfigAction::None}};
    for (const auto& c : cases) {
        if (classOf(control(c.id)) == "Button") {
            // A real click arrives as this control's notification.
            SendMessageA(control(c.id), BM_CLICK, 0, 0);
            const std::vector<LoopEvent> events = pumpEvents(system());
            ASSERT_FALSE(events.empty()) << c.id;
            EXPECT_EQ(events.front().kind, EventKind::ControlNotification);
            EXPECT_EQ(events.front().id, c.id);
        }
        EXPECT_EQ(dialog_.handleControl(c.id), c.action) << c.id;
        EXPECT_TRUE(dialog_.exists()) << "closing is the program's part";
    }
}

TEST_F(ConfigDialogTest, OpeningAgainGivesAFreshDialogAndADestroyedOneNoLongerExists) {
    HWND first = dialog_.hwnd();
    CheckDlgButton(first, 2, BST_CHECKED);
    ASSERT_TRUE(dialog_.open(system()));
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(IsDlgButtonChecked(dialog_.hwnd(), 2), BST_UNCHECKED);
    EXPECT_EQ(dialog_.handleControl(19), ConfigAction::Apply);

    DestroyWindow(dialog_.hwnd());  // what the loop does on the close box
    EXPECT_FALSE(dialog_.exists());
    EXPECT_EQ(dialog_.hwnd(), nullptr);
    EXPECT_EQ(dialog_.handleControl(19), ConfigAction::None);
    EXPECT_EQ(readConfigDialog(dialog_), ConfigValues{});
    fillConfigDialog(dialog_, Settings{});  // nothing to fill, nothing breaks
    dialog_.close();
}

Settings sampleSettings() {
    Settings s;
    s.alwaysOnTop = 1;
    s.autostart = 1;
    s.autoHide = 0;
    s.markRunning = 1;
    s.drawBorder = 0;
    s.transparency = 255;
    s.orientation = 1;
    s.backgroundColour = rgb(10, 20, 30);
    s.itemSize = 64;
    s.backgroundImagePath = "C:\\Bilder\\W\xE4lder.png";
    s.showBackgroundImage = 1;
    s.backgroundMode = 2;
    return s;
}

ConfigValues valuesOf(const Settings& s) {
    return {s.alwaysOnTop, s.autostart,    s.autoHide,         s.markRunning,         s.drawBorder,
            s.orientation, s.itemSize,     s.transparency,     s.backgroundColour,    s.backgroundImagePath,
            s.showBackgroundImage,         s.backgroundMode};
}

TEST_F(ConfigDialogTest, FillAndReadBackEveryControl) {
    const Settings sample = sampleSettings();
    Settings other = sample;
    other.alwaysOnTop = 0;
    other.autostart = 0;
    other.autoHide = 1;
    other.markRunning = 0;
    other.drawBorder = 1;
    other.transparency = 1;
    other.orientation = 0;
    other.backgroundColour = rgb(255, 0, 0);
    other.itemSize = 16;
    other.backgroundImagePath = "";
    other.showBackgroundImage = 0;
    other.backgroundMode = 1;
    for (const Settings& s : {sample, other, Settings{}}) {
        fillConfigDialog(dialog_, s);
        EXPECT_EQ(readConfigDialog(dialog_), valuesOf(s));
        EXPECT_EQ(text(12), std::to_string(s.itemSize));
        EXPECT_EQ(text(13), std::to_string(s.transparency));
        EXPECT_EQ(swatchColour(dialog_.hwnd(), 14), s.backgroundColour);
    }
    EXPECT_EQ(text(24), "");

    // A path typed by hand is read like a chosen one.
    SetDlgItemTextA(dialog_.hwnd(), 24, "D:\\getippt.bmp");
    EXPECT_EQ(readConfigDialog(dialog_).backgroundImagePath, "D:\\getippt.bmp");
}

TEST_F(ConfigDialogTest, ValuesOutsideTheControlsRangesReadBackAsTheControlsHoldThem) {
    Settings s = sampleSettings();
    s.transparency = 0;    // allowed in the file, below the trackbar
    s.itemSize = 48;
    s.backgroundMode = 7;  // hand-edited: no such item
    s.autostart = 5;
    fillConfigDialog(dialog_, s);
    const ConfigValues v = readConfigDialog(dialog_);
    EXPECT_EQ(v.transparency, 1);
    EXPECT_EQ(text(13), "1") << "the label shows the trackbar, not the file";
    EXPECT_EQ(v.itemSize, 48);
    EXPECT_EQ(text(12), "48");
    EXPECT_EQ(v.backgroundMode, -1);
    EXPECT_EQ(v.autostart, 1);
}

// The file name boxes of the requester's template (dlgs.h: cmb13, edt1).
constexpr int kFileNameCombo = 0x047c;
constexpr int kFileNameEdit = 0x0480;

class ImageRequesterTest : public ConfigDialogTest {
protected:
    // The box: visible, topmost, to be kept from covering the requester.
    void SetUp() override {
        ConfigDialogTest::SetUp();
        box_ = test::createPlainWindow(system(), kMainWindow, {0, 0}, WS_EX_TOPMOST);
        SetForegroundWindow(dialog_.hwnd());
        SetActiveWindow(dialog_.hwnd());
        pumpMessages();
        SetDlgItemTextA(dialog_.hwnd(), 24, "vorher.png");
    }
    void TearDown() override { DestroyWindow(box_); }

    // Runs "..." with `act` operating the requester; checks how the box fared meanwhile.
    void runRequester(const std::function<void(HWND)>& act) {
        test::ModalHand hand([&](HWND requester) {
            title_ = windowText(requester);
            boxEnabledMeanwhile_ = IsWindowEnabled(box_);
            boxTopmostMeanwhile_ = (GetWindowLongA(box_, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
            act(requester);
        });
        EXPECT_EQ(dialog_.handleControl(25), ConfigAction::None);
        EXPECT_TRUE(hand.sawDialog());
        EXPECT_FALSE(hand.hadToCancel());
        EXPECT_EQ(title_, "Hintergrundbild \xF6" "ffnen");
        EXPECT_FALSE(boxEnabledMeanwhile_);
        EXPECT_FALSE(boxTopmostMeanwhile_);
        EXPECT_TRUE(IsWindowEnabled(box_)) << "enabled again afterwards";
        EXPECT_TRUE(GetWindowLongA(box_, GWL_EXSTYLE) & WS_EX_TOPMOST) << "topmost again afterwards";
    }

    HWND box_ = nullptr;
    std::string title_;
    bool boxEnabledMeanwhile_ = true;
    bool boxTopmostMeanwhile_ = true;
};

TEST_F(ImageRequesterTest, CancelKeepsThePath) {
    runRequester([](HWND requester) { PostMessageA(requester, WM_COMMAND, IDCANCEL, 0); });
    EXPECT_EQ(text(24), "vorher.png");
}

TEST_F(ImageRequesterTest, AChosenFileGivesItsFullPath) {
    test::TempFolder folder;
    const std::string image = folder.file("wald.png");
    test::writeFileBytes(image, "not really a picture");
    runRequester([&](HWND requester) {
        // The explorer-style requester's file name box.
        HWND name = GetDlgItem(requester, kFileNameCombo);
        if (!name) name = GetDlgItem(requester, kFileNameEdit);
        SetWindowTextA(name, image.c_str());
        PostMessageA(requester, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(text(24), image);
}

}  // namespace
}  // namespace kivolt
