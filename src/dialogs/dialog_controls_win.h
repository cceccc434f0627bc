#pragma once
// The standard controls of the program's dialogs, created as plain child windows whose
// window id is the control id, in the default GUI font.

#include <windows.h>

#include <initializer_list>
#include <string>

#include "base/types.h"

namespace kivolt {

enum class ControlKind { StaticText, Edit, DropDownList, CheckBox, PushButton };

struct ControlSpec {
    int id = 0;
    ControlKind kind = ControlKind::StaticText;
    Rect rect;                // client coordinates of the parent; for a list, its closed size
    const char* text = "";    // caption, or the initial text of an edit
};

// Created at rect (a drop-down list with room for its open part, then closed to rect.h);
// nullptr when the window cannot be created.
HWND createControl(HWND parent, const ControlSpec& spec);

// Appends the items of a drop-down list in order.
void addListItems(HWND list, std::initializer_list<const char*> items);

std::string windowText(HWND hwnd);

}  // namespace kivolt
