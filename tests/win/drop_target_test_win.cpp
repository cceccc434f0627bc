#include <windows.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include "base/com_ptr_win.h"
#include "event_pump_win.h"
#include "file_drag_win.h"
#include "shell/drop_target_win.h"

namespace kivolt {
namespace {

constexpr char kWindowClass[] = "KivoltDropTestWindow";
constexpr Point kWindowOrigin{300, 200};
constexpr Size kWindowSize{320, 240};

class DropTargetTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
        oleInitialised_ = true;
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kWindowClass;
        RegisterClassA(&windowClass);
        // Never activated: destroying an active window costs Wine seconds of focus hand-over.
        hwnd_ = CreateWindowExA(WS_EX_TOPMOST | WS_EX_NOACTIVATE, kWindowClass, "drop", WS_POPUP, kWindowOrigin.x,
                                kWindowOrigin.y, kWindowSize.width, kWindowSize.height, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
        ASSERT_TRUE(hwnd_);
        ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
        test::pumpMessages();
    }
    void TearDown() override {
        if (hwnd_) DestroyWindow(hwnd_);
        if (oleInitialised_) OleUninitialize();
    }

    DropHandler recorder() {
        return [this](DroppedFiles files) { drops_.push_back(std::move(files)); };
    }

    static ComPtr<IDataObject> files() {
        return test::oneFormatData(CF_HDROP,
                                   test::fileDropBlock({L"C:\\Tools\\app.exe", L"D:\\Daten\\B\u00E4r.txt"}));
    }
    static const std::vector<std::string>& fileNames() {
        static const std::vector<std::string> names = {"C:\\Tools\\app.exe", "D:\\Daten\\B\xE4r.txt"};
        return names;
    }

    HWND hwnd_ = nullptr;
    bool oleInitialised_ = false;
    std::vector<DroppedFiles> drops_;
};

TEST_F(DropTargetTest, RealDragDropDeliversNamesAndClientPoint) {
    FileDropRegistration registration(hwnd_, recorder());
    ASSERT_TRUE(registration.registered());

    // The press lands on the test window, so that this thread's key state, which the drag
    // loop reads, knows the button is down.
    const Point start{kWindowOrigin.x + 20, kWindowOrigin.y + 20};
    const Point target{kWindowOrigin.x + 170, kWindowOrigin.y + 145};
    ComPtr<IDataObject> data = files();
    DWORD effect = DROPEFFECT_NONE;
    const HRESULT hr = test::dragWithTheMouse(data.get(), start, target, &effect);

    EXPECT_EQ(hr, DRAGDROP_S_DROP);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
    ASSERT_EQ(drops_.size(), 1u);
    EXPECT_EQ(drops_[0].paths, fileNames());
    EXPECT_EQ(drops_[0].point, (Point{target.x - kWindowOrigin.x, target.y - kWindowOrigin.y}));
}

TEST_F(DropTargetTest, FilesOfferedForCopyingAreTakenThroughTheInterface) {
    ComPtr<FileDropTarget> target = FileDropTarget::create(hwnd_, recorder());
    ComPtr<IDataObject> data = files();
    const POINTL point{kWindowOrigin.x + 12, kWindowOrigin.y + 34};

    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
    EXPECT_EQ(target->DragEnter(data.get(), MK_LBUTTON, point, &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    EXPECT_EQ(target->DragOver(MK_LBUTTON, point, &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_TRUE(drops_.empty());  // nothing before the drop

    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    EXPECT_EQ(target->Drop(data.get(), 0, point, &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
    ASSERT_EQ(drops_.size(), 1u);
    EXPECT_EQ(drops_[0].paths, fileNames());
    EXPECT_EQ(drops_[0].point, (Point{12, 34}));
}

TEST_F(DropTargetTest, OtherDataOrEffectsAreRefused) {
    ComPtr<FileDropTarget> target = FileDropTarget::create(hwnd_, recorder());
    ComPtr<IDataObject> text = test::oneFormatData(CF_TEXT, test::textBlock("C:\\Tools\\app.exe"));
    ComPtr<IDataObject> data = files();
    const POINTL point{kWindowOrigin.x + 5, kWindowOrigin.y + 5};
    struct Case {
        IDataObject* data;
        DWORD offered;
    };
    const Case cases[] = {
        {text.get(), DROPEFFECT_COPY | DROPEFFECT_MOVE},  // not files
        {data.get(), DROPEFFECT_MOVE | DROPEFFECT_LINK},  // files, but not to copy
    };
    for (const Case& c : cases) {
        DWORD effect = c.offered;
        target->DragEnter(c.data, MK_LBUTTON, point, &effect);
        EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
        effect = c.offered;
        target->DragOver(MK_LBUTTON, point, &effect);
        EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
        effect = c.offered;
        target->Drop(c.data, 0, point, &effect);
        EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    }
    EXPECT_TRUE(drops_.empty());

    // A drag that left the window is not accepted by the next DragOver.
    DWORD effect = DROPEFFECT_COPY;
    target->DragEnter(data.get(), MK_LBUTTON, point, &effect);
    target->DragLeave();
    effect = DROPEFFECT_COPY;
    target->DragOver(MK_LBUTTON, point, &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
}

}  // namespace
}  // namespace kivolt
