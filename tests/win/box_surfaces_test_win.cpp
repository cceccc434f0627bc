// The drawing surfaces and icons of the box on real windows: the canvas control, the folder
// icon from the program's resources, programs' own icons at every item size, and that
// painting and rendering return every GDI object.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <span>
#include <string>
#include <vector>

#include "event_pump_win.h"
#include "gdi_objects_win.h"
#include "temp_folder_win.h"
#include "ui/canvas_control_win.h"
#include "ui/icon_keying.h"
#include "ui/icons_win.h"
#include "ui/name_balloon_win.h"
#include "ui/raster.h"
#include "ui/window_pair_win.h"
#include "ui/window_system_win.h"

namespace kivolt {
namespace {

class SurfaceTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(windows.registerClasses());
        ASSERT_TRUE(CanvasControl::registerClass(GetModuleHandleA(nullptr)));
        parent = windows.createTopLevel({kMainWindow, "surface test", WS_POPUP, 0, nullptr, {100, 100}, {200, 100}});
        ASSERT_NE(parent, nullptr);
        ShowWindow(parent, SW_SHOWNORMAL);
    }
    void TearDown() override { DestroyWindow(parent); }

    WindowSystem windows{GetModuleHandleA(nullptr)};
    HWND parent = nullptr;
};

Colour pixelAt(const PixelView& view, int x, int y) {
    const std::uint8_t* p = view.pixel(x, y);
    return rgb(p[2], p[1], p[0]);
}

TEST_F(SurfaceTest, CanvasStartsWhiteAndGrowingKeepsItsPicture) {
    CanvasControl* canvas = CanvasControl::create(windows, 37, parent, {0, 0, 20, 10});
    ASSERT_NE(canvas, nullptr);
    EXPECT_EQ(GetDlgCtrlID(canvas->hwnd()), 37);
    ASSERT_NE(canvas->beginDrawing(), nullptr);
    PixelView view = canvas->pixels();
    ASSERT_EQ(view.width, 20);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x) ASSERT_EQ(pixelAt(view, x, y), rgb(255, 255, 255)) << x << "," << y;
    fillRect(view, {0, 0, 20, 10}, rgb(200, 10, 20));
    canvas->endDrawing();

    canvas->resize({0, 0, 30, 25});
    view = canvas->pixels();
    EXPECT_EQ(canvas->size(), (Size{30, 25}));
    EXPECT_EQ(pixelAt(view, 19, 9), rgb(200, 10, 20));
    EXPECT_EQ(pixelAt(view, 20, 9), rgb(255, 255, 255));
    EXPECT_EQ(pixelAt(view, 19, 10), rgb(255, 255, 255));
    // What the window shows is the bitmap.
    UpdateWindow(canvas->hwnd());
    HDC screen = GetDC(canvas->hwnd());
    EXPECT_EQ(GetPixel(screen, 5, 5), RGB(200, 10, 20));
    ReleaseDC(canvas->hwnd(), screen);
}

TEST_F(SurfaceTest, CanvasCapturesWhileAButtonIsHeldAndReportsMouseActions) {
    CanvasControl* canvas = CanvasControl::create(windows, 0, parent, {0, 0, 50, 50});
    ASSERT_NE(canvas, nullptr);
    SendMessageA(canvas->hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 12));
    EXPECT_EQ(GetCapture(), canvas->hwnd());
    SendMessageA(canvas->hwnd(), WM_RBUTTONDOWN, MK_LBUTTON | MK_RBUTTON, MAKELPARAM(10, 12));
    SendMessageA(canvas->hwnd(), WM_RBUTTONUP, MK_LBUTTON, MAKELPARAM(10, 12));
    EXPECT_EQ(GetCapture(), canvas->hwnd()) << "the left button is still held";
    SendMessageA(canvas->hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(300, 12));
    EXPECT_EQ(GetCapture(), nullptr);

    const std::vector<LoopEvent> events = test::pumpEvents(windows);
    std::vector<int> kinds;
    for (const LoopEvent& e : events)
        if (e.kind == EventKind::ControlNotification && e.id == 0) kinds.push_back(e.code);
    EXPECT_EQ(kinds, (std::vector<int>{kLeftButtonDown, kRightButtonDown, kRightButtonUp, kLeftButtonUp}));
}

// The edge length of an icon's picture.
int edgeOf(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return 0;
    BITMAP bitmap{};
    GetObjectA(info.hbmColor, sizeof(bitmap), &bitmap);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return bitmap.bmWidth;
}

struct Bgra {
    int b, g, r, a;
    bool operator==(const Bgra&) const = default;
};

Bgra bgraAt(Image& image, int x, int y) {
    const std::uint8_t* p = image.view().pixel(x, y);
    return {p[0], p[1], p[2], p[3]};
}

std::string iconProbePath() { return test::folderOf(test::ownExecutablePath()) + "icon_probe.exe"; }

// The icon probe's pictures (tests/helpers/make_icon_probe_icon.py): one colour per size, a
// see-through outer ring and, in the 32-bit ones, white at alpha 220 inside it.
struct ProbePicture {
    int itemSize;
    Bgra centre;
    std::optional<Bgra> innerRing;  // when the picture is shown at its own size
};
constexpr Bgra kWhite220 = {255, 255, 255, 220};
const ProbePicture kProbePictures[] = {
    {16, {0, 220, 255, 255}, Bgra{0, 220, 255, 255}},  // 24 bits and a mask: alpha from the mask
    {32, {0, 0, 220, 255}, kWhite220},
    {40, {0, 160, 0, 255}, std::nullopt},  // no 40-pixel picture: the 48-pixel one, shrunk
    {48, {0, 160, 0, 255}, kWhite220},
    {64, {220, 0, 0, 255}, kWhite220},
};

TEST_F(SurfaceTest, FolderIconGivesThePictureMadeForEachItemSize) {
    const std::span<const std::uint8_t> file = embeddedFolderIconFile(GetModuleHandleA(nullptr));
    ASSERT_FALSE(file.empty());
    const IconFilePictures folder(file);
    for (const auto& [itemSize, picture] : {std::pair{16, 16}, {32, 32}, {40, 48}, {50, 64}, {64, 64}}) {
        SCOPED_TRACE(itemSize);
        EXPECT_EQ(edgeOf(folder.pictureFor(itemSize).get()), picture);

        UniqueIcon icon = folder.pictureFor(itemSize);
        std::optional<Image> image = renderIcon(icon.get(), itemSize);
        ASSERT_TRUE(image);
        EXPECT_EQ(image->width, itemSize);
        EXPECT_EQ(image->height, itemSize);
        int transparent = 0, opaque = 0;
        for (size_t i = 3; i < image->pixels.size(); i += 4) {
            transparent += image->pixels[i] == 0;
            opaque += image->pixels[i] == 255;
        }
        EXPECT_GT(transparent, 0);
        EXPECT_GT(opaque, itemSize * itemSize / 4);
        keyOutSoftPixels(*image);
        for (size_t i = 0; i < image->pixels.size(); i += 4) {
            const bool key = image->pixels[i] == 255 && image->pixels[i + 1] == 0 && image->pixels[i + 2] == 255 &&
                             image->pixels[i + 3] == 255;
            ASSERT_TRUE(key || image->pixels[i + 3] >= kKeyAlphaThreshold) << "pixel " << i / 4;
        }
    }
}

TEST_F(SurfaceTest, ProgramsShowTheirOwnPictureForEachItemSize) {
    const std::string probe = iconProbePath();
    EXPECT_EQ(offeredIconSizes(probe, 0), (std::vector<int>{16, 32, 48, 64}));
    EXPECT_TRUE(offeredIconSizes(probe, 1).empty()) << "the probe holds one icon";

    ShellIcons icons(GetModuleHandleA(nullptr));
    IconRef icon = icons.iconFor(probe);
    ASSERT_NE(icon, nullptr);
    for (const ProbePicture& expected : kProbePictures) {
        const int n = expected.itemSize;
        SCOPED_TRACE(n);
        std::optional<Image> image = icons.renderIcon(icon, n);
        ASSERT_TRUE(image);
        ASSERT_EQ(image->width, n);
        EXPECT_EQ(bgraAt(*image, n / 2, n / 2), expected.centre);
        if (!expected.innerRing) continue;
        EXPECT_EQ(bgraAt(*image, 0, n / 2).a, 0);
        // Plain colours: white at alpha 220, not the 220, 220, 220 that drawing leaves.
        EXPECT_EQ(bgraAt(*image, 1, n / 2), *expected.innerRing);
    }
    icons.releaseIcon(icon);
}

TEST_F(SurfaceTest, ShellIconsForFilesAndTheSharedFolderIcon) {
    ShellIcons icons(GetModuleHandleA(nullptr));
    char windowsFolder[MAX_PATH];
    GetWindowsDirectoryA(windowsFolder, MAX_PATH);
    EXPECT_EQ(icons.iconFor(windowsFolder), icons.folderIcon());
    EXPECT_EQ(icons.iconFor("C:\\"), icons.folderIcon());

    // A file that does not exist still gets the shell's icon for its name.
    IconRef text = icons.iconFor("C:\\nirgends\\notiz.txt");
    ASSERT_NE(text, nullptr);
    EXPECT_NE(text, icons.folderIcon());
    std::optional<Image> image = icons.renderIcon(text, 48);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->height, 48);
    EXPECT_FALSE(icons.renderIcon(nullptr, 48));

    icons.releaseIcon(text);
    icons.releaseIcon(icons.folderIcon());  // shared: kept
    EXPECT_TRUE(icons.renderIcon(icons.folderIcon(), 32));
}

TEST_F(SurfaceTest, BalloonsAndRendersReturnEveryGdiObject) {
    HFONT font = createBalloonFont();
    ASSERT_NE(font, nullptr);
    ShellIcons icons(GetModuleHandleA(nullptr));
    NameBalloon balloon(windows, font);
    BalloonInput input;
    input.orientation = 1;
    input.box = {100, 100};
    input.cell = {20, 5};
    input.monitor = {{0, 0, 1920, 1080}, {0, 0, 1920, 1080}};
    char notepad[MAX_PATH];
    GetWindowsDirectoryA(notepad, MAX_PATH);
    std::strcat(notepad, "\\notepad.exe");
    const std::string paths[] = {iconProbePath(), notepad, "C:\\nirgends\\notiz.txt", "C:\\"};
    const auto renderAll = [&](int size) {
        for (const std::string& path : paths) {
            IconRef icon = icons.iconFor(path);
            EXPECT_TRUE(icons.renderIcon(icon, size)) << path;
            icons.releaseIcon(icon);
        }
    };
    // Warm up once: the first use loads fonts, stock objects and the shell's caches for good.
    balloon.show(parent, input, "Editor");
    balloon.close();
    renderAll(32);
    const DWORD before = test::gdiObjectCount();
    ASSERT_NE(before, 0u);
    for (int i = 0; i < 100; ++i) {
        balloon.show(parent, input, "Editor " + std::to_string(i));
        EXPECT_TRUE(balloon.exists());
        balloon.close();
        renderAll(16 + i % 49);
    }
    EXPECT_EQ(test::gdiObjectCount(), before);
    DeleteObject(font);
}

TEST_F(SurfaceTest, NothingPointsAtTheBoxOnceItsOwnerHasTakenItAlong) {
    WindowPair pair(windows);
    windows.setWindowCallback([&pair](HWND h, UINT m, WPARAM w, LPARAM l) { pair.windowCallback(h, m, w, l); });
    WindowPair::Options options;
    options.position = {300, 300};
    options.client = {57, 42};
    ASSERT_TRUE(pair.open(options));
    ASSERT_NE(pair.overlayCanvas(), nullptr);
    ASSERT_NE(pair.backgroundCanvas(), nullptr);
    HFONT font = createBalloonFont();
    NameBalloon balloon(windows, font);
    BalloonInput input;
    input.orientation = 1;
    input.box = {300, 300};
    input.monitor = {{0, 0, 1920, 1080}, {0, 0, 1920, 1080}};
    balloon.show(pair.main(), input, "Editor");
    ASSERT_TRUE(balloon.exists());

    DestroyWindow(pair.owner());
    EXPECT_EQ(pair.owner(), nullptr);
    EXPECT_EQ(pair.main(), nullptr);
    EXPECT_EQ(pair.overlay(), nullptr);
    EXPECT_EQ(pair.overlayCanvas(), nullptr);
    EXPECT_EQ(pair.backgroundCanvas(), nullptr);
    EXPECT_FALSE(balloon.exists()) << "owned by the MainWindow, it went with it";
    // What the loop would still do to them finds nothing to touch.
    pair.resizeBox({99, 42}, {0, 0, 1920, 1080});
    pair.showBoth();
    balloon.close();
    windows.setWindowCallback({});
    DeleteObject(font);
}

}  // namespace
}  // namespace kivolt
