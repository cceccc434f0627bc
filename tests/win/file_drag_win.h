#pragma once
// A user's file drag, made in this process: a CF_HDROP data object, a drop source that drops
// on the button's release, and the real OLE drag loop driven by synthetic input.

#include <windows.h>
#include <ole2.h>

#include <string>
#include <vector>

#include "base/com_ptr_win.h"
#include "base/types.h"

namespace kivolt::test {

// The dropped names as the shell puts them in a CF_HDROP block: UTF-16, each ended by a
// zero, the list ended by one more.
HGLOBAL fileDropBlock(const std::vector<std::wstring>& names);

// A data object offering one clipboard format in global memory (which it takes over), as a
// drag source does.
ComPtr<IDataObject> oneFormatData(CLIPFORMAT format, HGLOBAL block);

// Synthetic pointer input; `screen` is used with MOUSEEVENTF_ABSOLUTE.
void sendMouse(DWORD flags, Point screen = {});

struct DragResult {
    HRESULT hr = E_FAIL;
    DWORD effect = DROPEFFECT_NONE;
};

// Presses the left button at `press`, which must lie on a window of this thread (the drag
// loop reads this thread's key state), runs DoDragDrop offering copy and move, moves the
// pointer through `path` from another thread and releases at its last point. A drag that
// has not ended five seconds after the release is cancelled with Escape.
DragResult dragWithPointer(IDataObject* data, Point press, const std::vector<Point>& path);

// A window of this thread for a drag to start on (the drag loop reads this thread's key
// state); OLE is initialised while it lives.
class DragStartWindow {
public:
    explicit DragStartWindow(Point origin);
    ~DragStartWindow();
    DragStartWindow(const DragStartWindow&) = delete;
    DragStartWindow& operator=(const DragStartWindow&) = delete;

    bool ready() const { return oleInitialised_ && hwnd_; }

private:
    bool oleInitialised_ = false;
    HWND hwnd_ = nullptr;
};

}  // namespace kivolt::test
