#include <windows.h>
#include <ole2.h>
#include <shellapi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>
#include <thread>

#include "base/com_ptr_win.h"
#include "event_pump_win.h"
#include "shell/drop_target_win.h"

namespace kivolt {
namespace {

// The dropped names as the shell puts them in a CF_HDROP block: UTF-16, each ended by a
// zero, the list ended by one more.
HGLOBAL fileDropBlock(const std::vector<std::wstring>& names) {
    std::wstring list;
    for (const std::wstring& name : names) list += name + L'\0';
    list += L'\0';
    const std::size_t bytes = sizeof(DROPFILES) + list.size() * sizeof(wchar_t);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    auto* header = static_cast<DROPFILES*>(GlobalLock(block));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    std::memcpy(header + 1, list.data(), list.size() * sizeof(wchar_t));
    GlobalUnlock(block);
    return block;
}

HGLOBAL textBlock(const char* text) {
    const std::size_t bytes = std::strlen(text) + 1;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
    std::memcpy(GlobalLock(block), text, bytes);
    GlobalUnlock(block);
    return block;
}

// A data object offering one clipboard format in global memory, as a drag source does.
class OneFormatData final : public IDataObject {
public:
    static ComPtr<IDataObject> create(CLIPFORMAT format, HGLOBAL block) {
        return ComPtr<IDataObject>(new OneFormatData(format, block));
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) noexcept override {
        if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IDataObject)) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = static_cast<IDataObject*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() noexcept override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() noexcept override {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) noexcept override {
        if (QueryGetData(format) != S_OK) return DV_E_FORMATETC;
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = OleDuplicateData(block_, format_, 0);
        medium->pUnkForRelease = nullptr;
        return medium->hGlobal ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) noexcept override {
        return format && format->cfFormat == format_ && (format->tymed & TYMED_HGLOBAL) ? S_OK : DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) noexcept override {
        out->ptd = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) noexcept override {
        if (direction != DATADIR_GET) return E_NOTIMPL;
        FORMATETC format{format_, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        return SHCreateStdEnumFmtEtc(1, &format, out);
    }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) noexcept override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) noexcept override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) noexcept override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    OneFormatData(CLIPFORMAT format, HGLOBAL block) : format_(format), block_(block) {}
    ~OneFormatData() { GlobalFree(block_); }

    ULONG references_ = 1;
    CLIPFORMAT format_;
    HGLOBAL block_;
};

// Drops when the left button is released, cancels on Escape.
class ButtonDropSource final : public IDropSource {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) noexcept override {
        if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IDropSource)) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = static_cast<IDropSource*>(this);
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() noexcept override { return 2; }  // lives on the test's stack
    ULONG STDMETHODCALLTYPE Release() noexcept override { return 1; }
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) noexcept override {
        if (escape) return DRAGDROP_S_CANCEL;
        return keys & MK_LBUTTON ? S_OK : DRAGDROP_S_DROP;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) noexcept override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

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
        return OneFormatData::create(CF_HDROP, fileDropBlock({L"C:\\Tools\\app.exe", L"D:\\Daten\\B\u00E4r.txt"}));
    }
    static const std::vector<std::string>& fileNames() {
        static const std::vector<std::string> names = {"C:\\Tools\\app.exe", "D:\\Daten\\B\xE4r.txt"};
        return names;
    }

    HWND hwnd_ = nullptr;
    bool oleInitialised_ = false;
    std::vector<DroppedFiles> drops_;
};

void sendMouse(DWORD flags, Point screen = {}) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    if (flags & MOUSEEVENTF_ABSOLUTE) {
        input.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
        input.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    }
    SendInput(1, &input, sizeof input);
}

void sendEscape() {
    INPUT keys[2] = {};
    for (INPUT& key : keys) {
        key.type = INPUT_KEYBOARD;
        key.ki.wVk = VK_ESCAPE;
    }
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof keys[0]);
}

TEST_F(DropTargetTest, RealDragDropDeliversNamesAndClientPoint) {
    FileDropRegistration registration(hwnd_, recorder());
    ASSERT_TRUE(registration.registered());

    // The press lands on the test window, so that this thread's key state, which the drag
    // loop reads, knows the button is down.
    const Point start{kWindowOrigin.x + 20, kWindowOrigin.y + 20};
    const Point target{kWindowOrigin.x + 170, kWindowOrigin.y + 145};
    sendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, start);
    sendMouse(MOUSEEVENTF_LEFTDOWN);
    Sleep(100);
    test::pumpMessages();
    ASSERT_TRUE(GetKeyState(VK_LBUTTON) & 0x8000);

    // The drag loop runs on this thread; the pointer is moved and released from another.
    HANDLE done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::thread user([&] {
        Sleep(300);
        sendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, {target.x - 20, target.y - 10});
        Sleep(300);
        sendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, target);
        Sleep(300);
        sendMouse(MOUSEEVENTF_LEFTUP);
        if (WaitForSingleObject(done, 5000) == WAIT_TIMEOUT) sendEscape();
    });
    ComPtr<IDataObject> data = files();
    ButtonDropSource source;
    DWORD effect = DROPEFFECT_NONE;
    const HRESULT hr = DoDragDrop(data.get(), &source, DROPEFFECT_COPY | DROPEFFECT_MOVE, &effect);
    SetEvent(done);
    user.join();
    CloseHandle(done);

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
    ComPtr<IDataObject> text = OneFormatData::create(CF_TEXT, textBlock("C:\\Tools\\app.exe"));
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
