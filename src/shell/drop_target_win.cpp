#include "shell/drop_target_win.h"

#include <shellapi.h>

#include <string>
#include <vector>

namespace kivolt {

namespace {

FORMATETC fileDropFormat() { return {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

bool offersFiles(IDataObject* data) {
    FORMATETC format = fileDropFormat();
    return data && data->QueryGetData(&format) == S_OK;
}

DWORD effectFor(bool accepting, DWORD offered) {
    return accepting && (offered & DROPEFFECT_COPY) ? DROPEFFECT_COPY : DROPEFFECT_NONE;
}

// The names of a CF_HDROP block, in its order.
std::vector<std::string> droppedNames(HDROP drop) {
    std::vector<std::string> names;
    const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = DragQueryFileA(drop, i, nullptr, 0);
        std::string name(length + 1, '\0');
        const UINT copied = DragQueryFileA(drop, i, name.data(), length + 1);
        name.resize(copied);
        names.push_back(std::move(name));
    }
    return names;
}

// Releases what GetData handed over.
struct StorageMedium {
    STGMEDIUM value{};
    StorageMedium() = default;
    StorageMedium(const StorageMedium&) = delete;
    StorageMedium& operator=(const StorageMedium&) = delete;
    ~StorageMedium() { ReleaseStgMedium(&value); }
};

}  // namespace

ComPtr<FileDropTarget> FileDropTarget::create(HWND hwnd, DropHandler onDrop) {
    return ComPtr<FileDropTarget>(new FileDropTarget(hwnd, std::move(onDrop)));
}

HRESULT FileDropTarget::QueryInterface(REFIID iid, void** object) noexcept {
    if (!object) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropTarget)) {
        *object = static_cast<IDropTarget*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG FileDropTarget::AddRef() noexcept { return static_cast<ULONG>(InterlockedIncrement(&references_)); }

ULONG FileDropTarget::Release() noexcept {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

HRESULT FileDropTarget::DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) noexcept {
    accepting_ = offersFiles(data);
    if (effect) *effect = effectFor(accepting_, *effect);
    return S_OK;
}

HRESULT FileDropTarget::DragOver(DWORD, POINTL, DWORD* effect) noexcept {
    if (effect) *effect = effectFor(accepting_, *effect);
    return S_OK;
}

HRESULT FileDropTarget::DragLeave() noexcept {
    accepting_ = false;
    return S_OK;
}

HRESULT FileDropTarget::Drop(IDataObject* data, DWORD, POINTL point, DWORD* effect) noexcept {
    accepting_ = false;
    const DWORD offered = effect ? *effect : DROPEFFECT_COPY;
    if (effect) *effect = DROPEFFECT_NONE;
    if (!offersFiles(data) || !(offered & DROPEFFECT_COPY)) return S_OK;

    FORMATETC format = fileDropFormat();
    StorageMedium medium;
    if (data->GetData(&format, &medium.value) != S_OK) return S_OK;
    POINT client{point.x, point.y};
    ScreenToClient(hwnd_, &client);
    try {
        DroppedFiles files{droppedNames(static_cast<HDROP>(medium.value.hGlobal)), {client.x, client.y}};
        if (effect) *effect = DROPEFFECT_COPY;
        onDrop_(std::move(files));
    } catch (...) {
        // Nothing may unwind into OLE's drag loop; a drop that cannot be taken is lost.
    }
    return S_OK;
}

FileDropRegistration::FileDropRegistration(HWND hwnd, DropHandler onDrop) : hwnd_(hwnd) {
    ComPtr<FileDropTarget> target = FileDropTarget::create(hwnd, std::move(onDrop));
    // RegisterDragDrop keeps its own reference until RevokeDragDrop.
    registered_ = RegisterDragDrop(hwnd, target.get()) == S_OK;
}

FileDropRegistration::~FileDropRegistration() {
    if (registered_) RevokeDragDrop(hwnd_);
}

}  // namespace kivolt
