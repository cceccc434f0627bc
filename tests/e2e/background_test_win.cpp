// Background pictures in the real program: a run-length coded bitmap and a camera-sized
// photo show on the box, stretched over it.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "box_process_win.h"
#include "image_fixtures.h"
#include "settings/prefs_location.h"
#include "temp_folder_win.h"

namespace kivolt::test {
namespace {

using kivolt::testing::Bytes;

constexpr int kBoxX = 300;
constexpr int kBoxY = 200;
// The pictures' two halves.
constexpr Colour kRed = RGB(200, 40, 30);
constexpr Colour kBlue = RGB(20, 60, 220);

class BackgroundTest : public ::testing::Test {
protected:
    // Starts a pinned horizontal box of three shortcuts without a border, the picture
    // stretched over its background: in the 5-pixel margin of each cell the overlay is
    // transparent and the background shows.
    BoxWindows startWithPicture(const Bytes& picture, const std::string& fileName) {
        const std::string path = folder.file(fileName);
        writeFileBytes(path, std::string(picture.begin(), picture.end()));
        std::string shortcuts;
        for (int i = 0; i < 3; ++i)
            shortcuts += "[" + std::to_string(i) + "]\r\nPfad = C:\\windows\r\nName = Windows\r\n";
        CreateDirectoryA(prefsFolder(folder.path()).c_str(), nullptr);
        writeFileBytes(prefsPath(folder.path()),
                       "FensterPos = 1\r\nX = " + std::to_string(kBoxX) + "\r\nY = " + std::to_string(kBoxY) +
                           "\r\nKivolt fixieren = 1\r\nRahmen = 0\r\nHintergrundbild = " + path +
                           "\r\nHintergrund zeichnen = 1\r\nHintergrunddarstellung = 1\r\n" + shortcuts);
        moveMouse(kBoxX + 600, kBoxY + 400);  // no hover frame
        box = std::make_unique<BoxProcess>(folder.path().substr(0, folder.path().size() - 1));
        EXPECT_TRUE(box->started());
        // Decoding a camera-sized photo takes a while on a loaded machine.
        const BoxWindows windows = box->waitForWindows(60000);
        EXPECT_NE(windows.main, nullptr);
        return windows;
    }

    // Waits until the top margin shows the picture's left half on the left of the box and
    // its right half on the right, within what JPEG and scaling change.
    void expectHalvesShown(HWND main) {
        const Rect client = clientRectOnScreen(main);
        const auto alike = [](Colour actual, Colour expected) {
            return std::abs(redOf(actual) - redOf(expected)) <= 12 &&
                   std::abs(greenOf(actual) - greenOf(expected)) <= 12 &&
                   std::abs(blueOf(actual) - blueOf(expected)) <= 12;
        };
        const Point left{client.x + client.w / 6, client.y + 2};
        const Point right{client.x + client.w * 5 / 6, client.y + 2};
        EXPECT_TRUE(waitUntil([&] { return alike(screenPixel(left.x, left.y), kRed); }, 30000))
            << std::hex << screenPixel(left.x, left.y);
        EXPECT_TRUE(waitUntil([&] { return alike(screenPixel(right.x, right.y), kBlue); }, 30000))
            << std::hex << screenPixel(right.x, right.y);
    }

    void quit(HWND main) {
        PostMessageA(main, WM_CLOSE, 0, 0);
        EXPECT_EQ(box->waitForExit(30000), 0u);
    }

    TempFolder folder;
    std::unique_ptr<BoxProcess> box;
};

TEST_F(BackgroundTest, RunLengthCodedBitmapShows) {
    // 16 x 8, every row a run of red and a run of blue, then the end of the line.
    Bytes codes;
    for (int row = 0; row < 8; ++row) codes.insert(codes.end(), {8, 1, 8, 2, 0, 0});
    codes.insert(codes.end(), {0, 1});
    const Bytes palette{0, 0, 0, 0, blueOf(kRed), greenOf(kRed), redOf(kRed), 0,
                        blueOf(kBlue), greenOf(kBlue), redOf(kBlue), 0};
    const Bytes bitmap = kivolt::testing::bmpFile({kivolt::testing::dibHeader(40, 16, 8, 8, 1, 3, {}), palette, codes});
    const BoxWindows w = startWithPicture(bitmap, "lauflaenge.bmp");
    ASSERT_TRUE(w.main);
    expectHalvesShown(w.main);
    quit(w.main);
}

TEST_F(BackgroundTest, SixtyMegapixelPhotoShows) {
    const int width = 9504;
    const int height = 6336;
    const Bytes photo = kivolt::testing::writeJpeg(
        {width, height, 3, JCS_RGB, [](int x, int) {
             return x < width / 2 ? std::vector{redOf(kRed), greenOf(kRed), blueOf(kRed)}
                                  : std::vector{redOf(kBlue), greenOf(kBlue), blueOf(kBlue)};
         }});
    const BoxWindows w = startWithPicture(photo, "kamera.jpg");
    ASSERT_TRUE(w.main);
    expectHalvesShown(w.main);
    quit(w.main);
}

}  // namespace
}  // namespace kivolt::test
