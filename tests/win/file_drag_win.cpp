#include "file_drag_win.h"

#include <shlobj.h>

#include <cstring>
#include <thread>

#include "event_pump_win.h"

namespace kivolt::test {

namespace {

class OneFormatData final : public IDataObject {
public:
    OneFormatData(CLIPFORMAT format, HGLOBAL block) : format_(format), block_(block) {}

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
    ULONG STDMETHODCALLTYPE AddRef() noexcept override { return 2; }  // lives on the caller's stack
    ULONG STDMETHODCALLTYPE Release() noexcept override { return 1; }
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) noexcept override {
        if (escape) return DRAGDROP_S_CANCEL;
        return keys & MK_LBUTTON ? S_OK : DRAGDROP_S_DROP;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) noexcept override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

void sendEscape() {
    INPUT keys[2] = {};
    for (INPUT& key : keys) {
        key.type = INPUT_KEYBOARD;
        key.ki.wVk = VK_ESCAPE;
    }
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof keys[0]);
}

}  // namespace

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

ComPtr<IDataObject> oneFormatData(CLIPFORMAT format, HGLOBAL block) {
    return ComPtr<IDataObject>(new OneFormatData(format, block));
}

void sendMouse(DWORD flags, Point screen) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    if (flags & MOUSEEVENTF_ABSOLUTE) {
        input.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
        input.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    }
    SendInput(1, &input, sizeof input);
}

DragResult dragWithPointer(IDataObject* data, Point press, const std::vector<Point>& path) {
    sendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, press);
    sendMouse(MOUSEEVENTF_LEFTDOWN);
    Sleep(100);
    pumpMessages();
    if (!(GetKeyState(VK_LBUTTON) & 0x8000)) {  // the press missed this thread's windows
        sendMouse(MOUSEEVENTF_LEFTUP);
        return {E_UNEXPECTED, DROPEFFECT_NONE};
    }

    // The drag loop runs on this thread; the pointer is moved and released from another.
    HANDLE done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::thread user([&] {
        for (Point point : path) {
            Sleep(300);
            sendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, point);
        }
        Sleep(300);
        sendMouse(MOUSEEVENTF_LEFTUP);
        if (WaitForSingleObject(done, 5000) == WAIT_TIMEOUT) sendEscape();
    });
    ButtonDropSource source;
    DragResult result;
    result.hr = DoDragDrop(data, &source, DROPEFFECT_COPY | DROPEFFECT_MOVE, &result.effect);
    SetEvent(done);
    user.join();
    CloseHandle(done);
    return result;
}

DragStartWindow::DragStartWindow(Point origin) {
    oleInitialised_ = SUCCEEDED(OleInitialize(nullptr));
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "KivoltDragStartWindow";
    RegisterClassA(&windowClass);
    // Never activated: the box keeps the focus, and Wine destroys the window quickly.
    hwnd_ = CreateWindowExA(WS_EX_TOPMOST | WS_EX_NOACTIVATE, windowClass.lpszClassName, "", WS_POPUP, origin.x,
                            origin.y, 80, 80, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
}

DragStartWindow::~DragStartWindow() {
    if (hwnd_) DestroyWindow(hwnd_);
    if (oleInitialised_) OleUninitialize();
}

}  // namespace kivolt::test
