#pragma once
// The OLE drop target that lets files be dropped on a window: it accepts only CF_HDROP data
// offered for copying, and hands the dropped names and the drop point (client coordinates
// of its window) to a callback. The names are copied out inside Drop, while the data
// object is still valid.

#include <windows.h>
#include <oleidl.h>

#include <functional>

#include "app/loop_event.h"
#include "base/com_ptr_win.h"

namespace kivolt {

using DropHandler = std::function<void(DroppedFiles)>;

class FileDropTarget final : public IDropTarget {
public:
    // A new target for `hwnd`, holding the only reference.
    static ComPtr<FileDropTarget> create(HWND hwnd, DropHandler onDrop);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) noexcept override;
    ULONG STDMETHODCALLTYPE AddRef() noexcept override;
    ULONG STDMETHODCALLTYPE Release() noexcept override;

    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) noexcept override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL point, DWORD* effect) noexcept override;
    HRESULT STDMETHODCALLTYPE DragLeave() noexcept override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) noexcept override;

private:
    FileDropTarget(HWND hwnd, DropHandler onDrop) : hwnd_(hwnd), onDrop_(std::move(onDrop)) {}
    ~FileDropTarget() = default;

    LONG references_ = 1;
    HWND hwnd_;
    DropHandler onDrop_;
    bool accepting_ = false;  // what DragEnter decided, for the DragOver calls that follow
};

// Registers a FileDropTarget on a window for the registration's lifetime (RegisterDragDrop,
// RevokeDragDrop). The thread must have called OleInitialize; destroy the registration
// before the window.
class FileDropRegistration {
public:
    FileDropRegistration(HWND hwnd, DropHandler onDrop);
    ~FileDropRegistration();
    FileDropRegistration(const FileDropRegistration&) = delete;
    FileDropRegistration& operator=(const FileDropRegistration&) = delete;

    bool registered() const { return registered_; }

private:
    HWND hwnd_;
    bool registered_;
};

}  // namespace kivolt
