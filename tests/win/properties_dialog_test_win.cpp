#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "dialogs/dialog_controls_win.h"
#include "dialogs/dialog_keys_win.h"
#include "dialogs/properties_dialog_win.h"
#include "event_pump_win.h"
#include "model/shortcut_list.h"
#include "ui/window_system_win.h"
#include "window_test_support_win.h"

namespace kivolt {
namespace {

namespace pc = properties_control;

struct Fields {
    std::string name;
    std::string parameters;
    int runMode = 0;
    int runAsAdmin = 0;
    std::string path;
    friend bool operator==(const Fields&, const Fields&) = default;
};

Fields fieldsOf(const Shortcut& s) { return {s.name, s.parameters, s.runMode, s.runAsAdmin, s.path}; }

class PropertiesDialogTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(windows_.registerClasses()); }

    Shortcut& add(const Fields& fields) {
        while (shortcuts_.nextElement()) {
        }
        Shortcut& s = shortcuts_.insertAfterCurrent();
        s.name = fields.name;
        s.parameters = fields.parameters;
        s.runMode = fields.runMode;
        s.runAsAdmin = fields.runAsAdmin;
        s.path = fields.path;
        return s;
    }
    std::vector<Fields> allFields() {
        std::vector<Fields> all;
        for (const Shortcut& s : shortcuts_) all.push_back(fieldsOf(s));
        return all;
    }
    HWND control(int id) const { return GetDlgItem(dialog_.hwnd(), id); }
    // Control notifications go to the dialog, as the main loop hands them over; the
    // menu commands that turned up are returned.
    std::vector<int> dispatch(const std::function<bool(MSG&)>& keyFilter = {}) {
        std::vector<int> menuCommands;
        for (const LoopEvent& event : test::pumpEvents(windows_, keyFilter)) {
            if (event.kind == EventKind::ControlNotification) dialog_.handleControl(event.id);
            if (event.kind == EventKind::MenuCommand) menuCommands.push_back(event.id);
        }
        return menuCommands;
    }
    // A real click of a button.
    void click(int id) {
        SendMessageA(control(id), BM_CLICK, 0, 0);
        dispatch();
    }
    void edit(const char* name, const char* parameters, int runMode, bool admin) {
        SetWindowTextA(control(pc::kName), name);
        SetWindowTextA(control(pc::kParameters), parameters);
        SendMessageA(control(pc::kRunMode), CB_SETCURSEL, static_cast<WPARAM>(runMode), 0);
        SendMessageA(control(pc::kRunAsAdmin), BM_SETCHECK, admin ? BST_CHECKED : BST_UNCHECKED, 0);
    }

    WindowSystem windows_{GetModuleHandleA(nullptr)};
    ShortcutList shortcuts_;
    PropertiesDialog dialog_;
};

const Fields kProgram{"Editor", "-n file.txt", 1, 1, "C:\\Tools\\editor.exe"};
const Fields kFolder{"Fotos", "", 0, 0, "C:\\Daten\\Fotos"};
const Fields kDocument{"Brief", "", 2, 0, "C:\\Daten\\brief.txt"};

struct ExpectedControl {
    int id;
    const char* className;
    const char* text;
    RECT rect;  // left, top, right, bottom
    DWORD typeMask;
    DWORD type;
    DWORD flags;  // must be set
    DWORD exStyle;
    bool tabStop;
    bool programOnly;  // disabled for a path that is no executable
};

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE | WS_GROUP;

// The table of the dialog in creation order, for the given Shortcut.
std::vector<ExpectedControl> expectedControls(const Fields& f) {
    return {
        {32, "Static", "Angezeigter Name:", {10, 13, 110, 33}, SS_TYPEMASK, SS_LEFT, kChild, 0, false, false},
        {31, "Edit", f.name.c_str(), {110, 10, 270, 30}, 0, 0, kChild | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, true, false},
        {33, "Static", "Parameter:", {10, 43, 110, 63}, SS_TYPEMASK, SS_LEFT, kChild, 0, false, false},
        {30, "Edit", f.parameters.c_str(), {110, 40, 270, 60}, 0, 0, kChild | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, true,
         true},
        {34, "Static", "Ausführung:", {10, 73, 110, 93}, SS_TYPEMASK, SS_LEFT, kChild, 0, false, false},
        // The combo box keeps neither WS_BORDER nor WS_VSCROLL for itself: they go to its list.
        {29, "ComboBox", nullptr, {110, 70, 270, 90}, 3, CBS_DROPDOWNLIST, kChild, 0, true, true},
        {28, "Button", "Als Administrator ausführen", {10, 100, 160, 120}, BS_TYPEMASK, BS_AUTOCHECKBOX, kChild, 0, true,
         true},
        {36, "Button", "Speichern", {180, 150, 270, 180}, BS_TYPEMASK, BS_PUSHBUTTON, kChild, 0, true, false},
        {35, "Button", "Abbrechen", {80, 150, 170, 180}, BS_TYPEMASK, BS_PUSHBUTTON, kChild, 0, true, false},
    };
}

void expectControls(HWND dialog, const Fields& f, bool executable) {
    HWND child = GetWindow(dialog, GW_CHILD);
    for (const ExpectedControl& e : expectedControls(f)) {
        SCOPED_TRACE("control " + std::to_string(e.id));
        ASSERT_TRUE(child) << "missing";
        EXPECT_EQ(GetDlgCtrlID(child), e.id);
        EXPECT_EQ(test::classOf(child), e.className);
        if (e.text) {
            EXPECT_EQ(windowText(child), e.text);
        }
        const Rect at = test::rectInParent(child);
        const RECT r{at.x, at.y, at.x + at.w, at.y + at.h};
        EXPECT_EQ(r.left, e.rect.left);
        EXPECT_EQ(r.top, e.rect.top);
        EXPECT_EQ(r.right, e.rect.right);
        EXPECT_EQ(r.bottom, e.rect.bottom);
        const auto style = static_cast<DWORD>(GetWindowLongPtrA(child, GWL_STYLE));
        const auto exStyle = static_cast<DWORD>(GetWindowLongPtrA(child, GWL_EXSTYLE));
        EXPECT_EQ(style & e.typeMask, e.type);
        EXPECT_EQ(style & e.flags, e.flags);
        EXPECT_EQ((style & WS_TABSTOP) != 0, e.tabStop);
        EXPECT_EQ(exStyle & WS_EX_CLIENTEDGE, e.exStyle);
        EXPECT_EQ(IsWindowEnabled(child) != FALSE, executable || !e.programOnly);
        EXPECT_EQ(reinterpret_cast<HGDIOBJ>(SendMessageA(child, WM_GETFONT, 0, 0)), GetStockObject(DEFAULT_GUI_FONT));
        child = GetWindow(child, GW_HWNDNEXT);
    }
    EXPECT_FALSE(child) << "more controls than expected";
}

std::vector<int> tabOrder(HWND dialog, int first) {
    std::vector<int> order;
    HWND start = GetDlgItem(dialog, first);
    HWND at = start;
    do {
        order.push_back(GetDlgCtrlID(at));
        at = GetNextDlgTabItem(dialog, at, FALSE);
    } while (at && at != start && order.size() < 20);
    return order;
}

TEST_F(PropertiesDialogTest, WindowIsATitledCentredTopLevelWithoutOwner) {
    add(kFolder);
    add(kProgram);
    ASSERT_TRUE(dialog_.open(windows_, shortcuts_, 1));
    HWND hwnd = dialog_.hwnd();
    ASSERT_TRUE(hwnd);
    EXPECT_EQ(windowText(hwnd), "Editor - Eigenschaften");
    EXPECT_EQ(windowIdOf(hwnd), kPropertiesDialog);
    EXPECT_EQ(dialog_.targetIndex(), 1);
    EXPECT_FALSE(GetWindow(hwnd, GW_OWNER));
    EXPECT_TRUE(IsWindowVisible(hwnd));
    const auto style = static_cast<DWORD>(GetWindowLongPtrA(hwnd, GWL_STYLE));
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU), static_cast<DWORD>(WS_CAPTION | WS_SYSMENU));
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_CHILD), 0u);
    RECT client{};
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client.right, 280);
    EXPECT_EQ(client.bottom, 190);
    RECT outer{};
    GetWindowRect(hwnd, &outer);
    EXPECT_NEAR(outer.left + outer.right, GetSystemMetrics(SM_CXSCREEN), 1);
    EXPECT_NEAR(outer.top + outer.bottom, GetSystemMetrics(SM_CYSCREEN), 1);
}

TEST_F(PropertiesDialogTest, ControlsOfAnExecutableAreFilledAndEnabled) {
    add(kProgram);
    ASSERT_TRUE(dialog_.open(windows_, shortcuts_, 0));
    expectControls(dialog_.hwnd(), kProgram, true);
    HWND list = control(pc::kRunMode);
    ASSERT_EQ(SendMessageA(list, CB_GETCOUNT, 0, 0), 3);
    const char* items[] = {"Normales Fenster", "Minimiert", "Maximiert"};
    for (int i = 0; i < 3; ++i) {
        char text[64] = "";
        SendMessageA(list, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        EXPECT_STREQ(text, items[i]);
    }
    EXPECT_EQ(SendMessageA(list, CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(SendMessageA(control(pc::kRunAsAdmin), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(tabOrder(dialog_.hwnd(), pc::kName), (std::vector<int>{31, 30, 29, 28, 36, 35}));
}

TEST_F(PropertiesDialogTest, ProgramFieldsOfAFolderOrDocumentAreDisabled) {
    for (const Fields& f : {kFolder, kDocument}) {
        SCOPED_TRACE(f.path);
        Shortcut& s = add(f);
        ASSERT_TRUE(dialog_.open(windows_, shortcuts_, shortcuts_.count() - 1));
        expectControls(dialog_.hwnd(), f, false);
        EXPECT_EQ(tabOrder(dialog_.hwnd(), pc::kName), (std::vector<int>{31, 36, 35}));
        // The name can still be changed; the disabled fields keep what they showed.
        SetWindowTextA(control(pc::kName), "Neu");
        click(pc::kSave);
        EXPECT_EQ(fieldsOf(s), (Fields{"Neu", f.parameters, f.runMode, f.runAsAdmin, f.path}));
    }
}

TEST_F(PropertiesDialogTest, SaveStoresAllFourFieldsAndCloses) {
    add(kFolder);
    Shortcut& program = add(kProgram);
    add(kDocument);
    ASSERT_TRUE(dialog_.open(windows_, shortcuts_, 1));
    HWND hwnd = dialog_.hwnd();
    edit("", "--neu \"x y\"", 2, false);
    click(pc::kSave);
    EXPECT_EQ(fieldsOf(program), (Fields{"", "--neu \"x y\"", 2, 0, kProgram.path}));
    EXPECT_EQ(allFields()[0], kFolder);
    EXPECT_EQ(allFields()[2], kDocument);
    EXPECT_FALSE(dialog_.exists());
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(dialog_.targetIndex(), -1);
}

TEST_F(PropertiesDialogTest, RunModeOutsideTheListShowsNoSelectionAndSavesMinusOne) {
    Shortcut& program = add({"App", "", 7, 0, "C:\\app.EXE"});
    ASSERT_TRUE(dialog_.open(windows_, shortcuts_, 0));
    EXPECT_EQ(SendMessageA(control(pc::kRunMode), CB_GETCURSEL, 0, 0), CB_ERR);
    click(pc::kSave);
    EXPECT_EQ(program.runMode, -1);
}

TEST_F(PropertiesDialogTest, CancelAndCloseBoxStoreNothing) {
    add(kProgram);
    ASSERT_TRUE(dialog_.open(windows_, shortcuts_, 0));
    edit("Anders", "", 0, false);
    click(pc::kCancel);
    EXPECT_EQ(allFields(), std::vector<Fields>{kProgram});
    EXPECT_FALSE(dialog_.exists());
    EXPECT_EQ(dialog_.targetIndex(), 0);

    ASSERT_TRUE(dialog_.open(windows_, shortcuts_, 0));
    edit("Anders", "", 0, false);
    test::pumpEvents(windows_);
    SendMessageA(dialog_.hwnd(), WM_CLOSE, 0, 0);
    const std::vector<LoopEvent> events = test::pumpEvents(windows_);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].kind, EventKind::CloseRequest);
    EXPECT_EQ(events[0].window, kPropertiesDialog);
    EXPECT_TRUE(dialog_.exists()) << "the loop decides what closes";
    dialog_.close();
    EXPECT_FALSE(dialog_.exists());
    EXPECT_EQ(allFields(), std::vector<Fields>{kProgram});
    EXPECT_EQ(dialog_.targetIndex(), 0);
}

TEST_F(PropertiesDialogTest, SaveAfterTheShortcutWasRemovedStoresNothing) {
    add(kFolder);
    add(kProgram);
    add(kDocument);
    ASSERT_TRUE(dialog_.open(windows_, shortcuts_, 1));
    edit("Neu", "-x", 0, false);
    shortcuts_.selectAt(1);
    shortcuts_.deleteCurrent();  // the document now sits at the dialog's position
    click(pc::kSave);
    EXPECT_EQ(allFields(), (std::vector<Fields>{kFolder, kDocument}));
    EXPECT_FALSE(dialog_.exists());
    EXPECT_EQ(dialog_.targetIndex(), -1);
}

TEST_F(PropertiesDialogTest, SaveFollowsTheShortcutWhenItMoved) {
    Shortcut& program = add(kProgram);
    add(kFolder);
    ASSERT_TRUE(dialog_.open(windows_, shortcuts_, 0));
    edit("Neu", "-x", 0, true);
    shortcuts_.selectAt(0);
    shortcuts_.moveCurrentAfter(&*std::next(shortcuts_.begin()));
    click(pc::kSave);
    EXPECT_EQ(allFields(), (std::vector<Fields>{kFolder, {"Neu", "-x", 0, 1, kProgram.path}}));
    EXPECT_EQ(&*std::next(shortcuts_.begin()), &program);
}

TEST_F(PropertiesDialogTest, ANewShortcutInTheMemoryOfTheRemovedOneIsNotWritten) {
    add(kFolder);
    const Shortcut* removed = &add(kProgram);
    ASSERT_TRUE(dialog_.open(windows_, shortcuts_, 1));
    edit("Neu", "-x", 0, false);
    shortcuts_.selectAt(1);
    shortcuts_.deleteCurrent();
    if (&add(kDocument) != removed) GTEST_SKIP() << "the allocator did not reuse the removed element's memory";
    click(pc::kSave);
    EXPECT_EQ(allFields(), (std::vector<Fields>{kFolder, kDocument}));
}

TEST_F(PropertiesDialogTest, OpeningAgainClosesTheOpenDialogUnsaved) {
    add(kProgram);
    add(kFolder);
    ASSERT_TRUE(dialog_.open(windows_, shortcuts_, 0));
    HWND first = dialog_.hwnd();
    edit("Verloren", "", 0, false);
    ASSERT_TRUE(dialog_.open(windows_, shortcuts_, 1));
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(windowText(dialog_.hwnd()), "Fotos - Eigenschaften");
    EXPECT_EQ(dialog_.targetIndex(), 1);
    click(pc::kSave);
    EXPECT_EQ(allFields(), (std::vector<Fields>{kProgram, kFolder}));

    // A position that names no Shortcut opens nothing and leaves an open dialog alone.
    ASSERT_TRUE(dialog_.open(windows_, shortcuts_, 0));
    HWND open = dialog_.hwnd();
    EXPECT_FALSE(dialog_.open(windows_, shortcuts_, 2));
    EXPECT_FALSE(dialog_.open(windows_, shortcuts_, -1));
    EXPECT_EQ(dialog_.hwnd(), open);
    EXPECT_EQ(dialog_.targetIndex(), 0);
}

TEST_F(PropertiesDialogTest, EnterAndEscapeNeitherCloseNorCommandTabMovesOn) {
    add(kProgram);
    ASSERT_TRUE(dialog_.open(windows_, shortcuts_, 0));
    SetForegroundWindow(dialog_.hwnd());
    // The dialog manager's IDOK and IDCANCEL would reach the dialog as WM_COMMAND, lParam 0.
    int keyCommands = 0;
    windows_.setWindowCallback([this, &keyCommands](HWND hwnd, UINT message, WPARAM, LPARAM lParam) {
        if (hwnd == dialog_.hwnd() && message == WM_COMMAND && lParam == 0) ++keyCommands;
    });
    struct Uninstall {
        WindowSystem& windows;
        ~Uninstall() { windows.setWindowCallback({}); }
    } uninstall{windows_};
    const auto keys = handleDialogKeys;
    dispatch(keys);
    for (int focus : {pc::kSave, pc::kCancel, pc::kName}) {
        for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
            SCOPED_TRACE("focus " + std::to_string(focus) + ", key " + std::to_string(key));
            SetFocus(control(focus));
            PostMessageA(control(focus), WM_KEYDOWN, key, 1);
            PostMessageA(control(focus), WM_CHAR, key, 1);
            PostMessageA(control(focus), WM_KEYUP, key, 0xC0000001);
            EXPECT_TRUE(dispatch(keys).empty());
            ASSERT_TRUE(dialog_.exists());
        }
    }
    EXPECT_EQ(keyCommands, 0);
    EXPECT_EQ(allFields(), std::vector<Fields>{kProgram});

    SetFocus(control(pc::kName));
    PostMessageA(control(pc::kName), WM_KEYDOWN, VK_TAB, 1);
    dispatch(keys);
    EXPECT_EQ(GetFocus(), control(pc::kParameters));
}

}  // namespace
}  // namespace kivolt
