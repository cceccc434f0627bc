#pragma once
// A user's drag of files through the system's real drag-and-drop loop: the names in a CF_HDROP
// block as the shell makes it, a data object offering one format, a drop source that drops on
// the button's release, and the hand that moves the pointer meanwhile.

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
HGLOBAL textBlock(const char* text);

// A data object offering one clipboard format in global memory (which it owns), as a drag
// source does.
ComPtr<IDataObject> oneFormatData(CLIPFORMAT format, HGLOBAL block);

// Presses the left button at `start`, which must lie on a window of this thread (the drag
// loop reads this thread's key state), then runs the drag loop here while another thread
// moves the pointer to `target` and releases it there. DoDragDrop's answer; the effect in
// `effect`.
HRESULT dragWithTheMouse(IDataObject* data, Point start, Point target, DWORD* effect);

}  // namespace kivolt::test
