#pragma once
// Adding, removing and moving shortcuts: the list operations that also fetch or release
// icons and ask for a repaint.

#include <string_view>

#include "model/icon_source.h"
#include "model/shortcut_list.h"

namespace kivolt {

// What the edits need from around the list; built by the caller for each call.
struct ShortcutContext {
    IconSource& icons;
    int itemSize;       // edge length the icon image is rendered at
    bool& redrawFlag;   // set when the box must be repainted
};

// Inserts a Shortcut for `path` after the current element (at the front without one) and
// makes it current: name from the path's file part without a trailing ".EXE", icon and
// keyed image from `context.icons`.
Shortcut& addShortcut(ShortcutList& list, std::string_view path, const ShortcutContext& context);

// Removes the Shortcut at `index` with its image and icon; an index out of range does nothing.
void removeShortcut(ShortcutList& list, int index, const ShortcutContext& context);

// Moves the Shortcut at `sourceIndex` before the one at `slot`, or after the last one when
// slot >= count. Nothing moves for slot < 0. The caller asks for the repaint.
void moveShortcut(ShortcutList& list, int sourceIndex, int slot);

}  // namespace kivolt
