#pragma once
// The standard controls of the program's dialogs, created from a table as plain child
// windows whose window id is the control id, in the default GUI font.

#include <windows.h>

#include <string>
#include <vector>

#include "base/types.h"

namespace kivolt {

enum class ControlKind { StaticText, GroupBox, Edit, DropDownList, CheckBox, PushButton, Trackbar };

struct ControlSpec {
    int id = 0;
    ControlKind kind = ControlKind::StaticText;
    Rect rect;              // client coordinates of the parent; for a list, its closed size
    const char* text = "";  // caption, or the initial text of an edit
    std::vector<const char*> items = {};  // a drop-down list's entries, in order
    int minimum = 0;  // a trackbar's range; it starts at the minimum
    int maximum = 0;
};

// Created at rect (a drop-down list with room for its open part, then closed to rect.h);
// nullptr when the window cannot be created.
HWND createControl(HWND parent, const ControlSpec& row);

std::string windowText(HWND hwnd);

}  // namespace kivolt
