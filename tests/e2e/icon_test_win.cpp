// The icons of the real box: each program shows its own icon, every item size shows the
// picture made for it, and soft edges blend over the background, not into pink.
#include <windows.h>

#include <gtest/gtest.h>

#include "box_process_win.h"
#include "settings/prefs_location.h"
#include "temp_folder_win.h"

namespace kivolt::test {
namespace {

// A horizontal box at (300, 200) with the grip strip: the first icon's corner is at
// (320, 205), the next ones item size + 10 pixels further right each.
constexpr int kBoxX = 300;
constexpr int kBoxY = 200;
constexpr Colour kBackground = RGB(205, 205, 205);
// White at alpha 220 over the background: (255 * 220 + 205 * 35) div 255.
constexpr Colour kSoftWhiteOverBackground = RGB(248, 248, 248);

Point iconCorner(int index, int itemSize) { return {kBoxX + 20 + (itemSize + 10) * index, kBoxY + 5}; }

class IconTest : public ::testing::Test {
protected:
    void start(int itemSize, const std::vector<std::string>& paths) {
        std::string prefs = "FensterPos = 1\r\nX = " + std::to_string(kBoxX) + "\r\nY = " + std::to_string(kBoxY) +
                            "\r\nItemgr\xF6sse = " + std::to_string(itemSize) + "\r\n";
        for (std::size_t i = 0; i < paths.size(); ++i)
            prefs += "[" + std::to_string(i) + "]\r\nPfad = " + paths[i] + "\r\nName = " + std::to_string(i) + "\r\n";
        CreateDirectoryA(prefsFolder(folder.path()).c_str(), nullptr);
        writeFileBytes(prefsPath(folder.path()), prefs);
        box = std::make_unique<BoxProcess>(folder.path().substr(0, folder.path().size() - 1));
        const BoxWindows windows = box->waitForWindows();
        ASSERT_NE(windows.overlay, nullptr);
        moveMouse(0, 1000);  // no hover frame over the icons
        // The box has painted its icons once the first one's centre is no longer background.
        const Point centre = {iconCorner(0, itemSize).x + itemSize / 2, iconCorner(0, itemSize).y + itemSize / 2};
        EXPECT_TRUE(waitUntil([&] { return screenPixel(centre.x, centre.y) != kBackground; }, 10000));
        BoxProcess::settle(600);  // and the timer's repaint after the pointer left
        main = windows.main;
    }
    void TearDown() override {
        if (!main) return;
        PostMessageA(main, WM_CLOSE, 0, 0);
        EXPECT_EQ(box->waitForExit(), 0u);
    }

    TempFolder folder;
    std::unique_ptr<BoxProcess> box;
    HWND main = nullptr;
};

// The icon probe holds a different colour at 16, 32, 48 and 64 pixels, each with a
// see-through outer ring and a ring of white at alpha 220 inside it.
struct Case {
    int itemSize;
    Colour centre;
    bool ownSize;  // a picture of exactly this size exists, so its rings are there as made
};

void PrintTo(const Case& c, std::ostream* out) { *out << "item size " << c.itemSize; }

class IconSizeTest : public IconTest, public ::testing::WithParamInterface<Case> {};

TEST_P(IconSizeTest, TheBoxShowsThePictureMadeForTheItemSize) {
    const Case c = GetParam();
    start(c.itemSize, {iconProbePath()});
    const Point corner = iconCorner(0, c.itemSize);
    const int middle = corner.y + c.itemSize / 2;
    EXPECT_EQ(screenPixel(corner.x + c.itemSize / 2, middle), c.centre);
    if (!c.ownSize) return;
    EXPECT_EQ(screenPixel(corner.x, middle), kBackground) << "the see-through ring";
    EXPECT_EQ(screenPixel(corner.x + 1, middle), kSoftWhiteOverBackground) << "the soft ring";
    EXPECT_EQ(screenPixel(corner.x + c.itemSize - 2, middle), kSoftWhiteOverBackground);
}

INSTANTIATE_TEST_SUITE_P(ItemSizes, IconSizeTest,
                         ::testing::Values(Case{32, RGB(220, 0, 0), true}, Case{40, RGB(0, 160, 0), false},
                                           Case{48, RGB(0, 160, 0), true}, Case{64, RGB(0, 0, 220), true}),
                         [](const auto& info) { return std::to_string(info.param.itemSize); });

TEST_F(IconTest, ProgramsShowTheirOwnIconsNotTheGenericOne) {
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);
    const std::string programs[] = {std::string(windows) + "\\notepad.exe", std::string(windows) + "\\regedit.exe",
                                    kivoltExePath()};
    // The fourth program does not exist: the shell gives it the generic program icon.
    start(32, {programs[0], programs[1], programs[2], "C:\\nirgends\\fehlt.exe"});
    std::vector<std::vector<Colour>> cells;
    for (int i = 0; i < 4; ++i) {
        const Point corner = iconCorner(i, 32);
        cells.push_back(screenPixels({corner.x, corner.y, 32, 32}));
    }
    for (int i = 0; i < 4; ++i) {
        for (int j = i + 1; j < 4; ++j) EXPECT_NE(cells[i], cells[j]) << "cells " << i << " and " << j << " look alike";
    }
}

}  // namespace
}  // namespace kivolt::test
