#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "dialogs/context_menu_win.h"
#include "dialogs/menu_commands.h"
#include "event_pump_win.h"
#include "ui/window_system_win.h"

namespace kivolt {
namespace {

struct ReadItem {
    UINT type = 0xDEAD;
    UINT id = 0xDEAD;
    UINT state = 0xDEAD;
    std::string text = "sentinel";
};

ReadItem readItem(HMENU menu, int position) {
    ReadItem item;
    char text[64] = "sentinel";
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = sizeof(text);
    if (!GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info)) return item;
    item.type = info.fType;
    item.id = info.wID;
    item.state = info.fState;
    item.text = info.cch ? text : "";
    return item;
}

bool isChecked(HMENU menu, int id) { return (GetMenuState(menu, static_cast<UINT>(id), MF_BYCOMMAND) & MF_CHECKED) != 0; }

TEST(ContextMenu, ItemsInDisplayOrderWithTheirIdsAndTexts) {
    const UniqueMenu menu = createContextMenu();
    ASSERT_TRUE(menu);
    struct Expected {
        int id;  // -1: separator
        const char* text;
    };
    const Expected expected[] = {
        {0, "Öffnen"},         {1, "Dateipfad öffnen"}, {2, "Dateipfad kopieren"}, {3, "Verknüpfung entfernen"},
        {6, "Eigenschaften"},  {-1, ""},                {5, "Kivolt fixieren"},    {4, "Einstellungen"},
        {-1, ""},              {7, "Beenden"},
    };
    ASSERT_EQ(GetMenuItemCount(menu.get()), static_cast<int>(std::size(expected)));
    for (int i = 0; i < static_cast<int>(std::size(expected)); ++i) {
        const ReadItem item = readItem(menu.get(), i);
        SCOPED_TRACE("position " + std::to_string(i));
        if (expected[i].id < 0) {
            EXPECT_TRUE(item.type & MFT_SEPARATOR);
            continue;
        }
        EXPECT_EQ(item.type, static_cast<UINT>(MFT_STRING));
        EXPECT_EQ(item.id, static_cast<UINT>(expected[i].id));
        EXPECT_EQ(item.text, expected[i].text);
        // Always enabled, whatever the menu target; nothing checked until pinned.
        EXPECT_EQ(item.state & (MFS_GRAYED | MFS_DISABLED | MFS_CHECKED), 0u);
    }
}

TEST(ContextMenu, PinnedCheckFollowsTheStateAndTouchesNothingElse) {
    const UniqueMenu menu = createContextMenu();
    ASSERT_TRUE(menu);
    setPinnedCheck(menu.get(), 1);
    EXPECT_TRUE(isChecked(menu.get(), kMenuPin));
    setPinnedCheck(menu.get(), 1);
    EXPECT_TRUE(isChecked(menu.get(), kMenuPin));
    setPinnedCheck(menu.get(), 0);
    EXPECT_FALSE(isChecked(menu.get(), kMenuPin));
    setPinnedCheck(menu.get(), 5);  // any non-zero state pins
    EXPECT_TRUE(isChecked(menu.get(), kMenuPin));
    for (int id : {kMenuOpen, kMenuOpenFolder, kMenuCopyPath, kMenuRemove, kMenuSettings, kMenuProperties, kMenuQuit}) {
        EXPECT_FALSE(isChecked(menu.get(), id)) << "id " << id;
        EXPECT_EQ(GetMenuState(menu.get(), static_cast<UINT>(id), MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED), 0u);
    }
    EXPECT_EQ(readItem(menu.get(), 6).text, "Kivolt fixieren");
}

// What the menu tracking saw, recorded by a timer that runs inside its modal loop.
struct TrackingSeen {
    RECT popup{-1, -1, -1, -1};
    HWND foreground = nullptr;
    bool keysSent = false;
};
TrackingSeen seen;

void CALLBACK chooseSecondItem(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND popup = FindWindowA("#32768", nullptr);
    if (!popup || !IsWindowVisible(popup) || seen.keysSent) return;
    KillTimer(nullptr, timer);
    GetWindowRect(popup, &seen.popup);
    seen.foreground = GetForegroundWindow();
    seen.keysSent = true;
    for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN}) PostMessageA(popup, WM_KEYDOWN, key, 0);
}

TEST(ContextMenu, OpensAtThePointerAndTheChoiceBecomesAMenuCommand) {
    WindowSystem windows(GetModuleHandleA(nullptr));
    ASSERT_TRUE(windows.registerClasses());
    TopLevelParams params;
    params.id = kMainWindow;
    params.position = {100, 100};
    params.client = {60, 60};
    HWND main = windows.createTopLevel(params);
    ASSERT_TRUE(main);
    ShowWindow(main, SW_SHOWNORMAL);
    test::pumpEvents(windows);
    const UniqueMenu menu = createContextMenu();
    ASSERT_TRUE(SetCursorPos(300, 200));

    seen = {};
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, chooseSecondItem);
    ASSERT_NE(timer, 0u);
    showContextMenu(menu.get(), main);
    KillTimer(nullptr, timer);
    ASSERT_TRUE(seen.keysSent) << "the menu never opened";
    EXPECT_EQ(seen.popup.left, 299);
    EXPECT_EQ(seen.popup.top, 199);
    EXPECT_EQ(seen.foreground, main);

    const std::vector<LoopEvent> events = test::pumpEvents(windows);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].kind, EventKind::MenuCommand);
    EXPECT_EQ(events[0].id, kMenuOpenFolder);
    DestroyWindow(main);
}

}  // namespace
}  // namespace kivolt
