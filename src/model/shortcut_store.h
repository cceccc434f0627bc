#pragma once
// The shortcuts in the prefs file: one group per Shortcut, read once at start-up and written
// after every change and at quit.

#include <cstdint>
#include <optional>
#include <string>

#include "base/types.h"
#include "model/shortcut_edit.h"
#include "model/shortcut_list.h"
#include "settings/prefs_file.h"

namespace kivolt {

// Adds a Shortcut for every group of the file at `path`, in file order, after the current
// element of `list` (a fresh list: from the front). Returns the stored pinned flag
// ("Kivolt fixieren", 0 when absent), or none when the file could not be read whole, in which
// case the list is left alone.
std::optional<std::int32_t> loadShortcuts(PrefsFile& prefs, const std::string& path,
                                          ShortcutList& list, const ShortcutContext& context);

// Writes the window position and the pinned flag into the global section, replaces every
// group by the list's shortcuts as [0] to [n-1] and rewrites the file, unless that leaves
// its bytes as they are. Does nothing when the file is missing (it may have been deleted
// while running). False when the file is there but could not be read whole or written: it
// is left as it was, and the save is worth trying again.
bool saveOnQuit(PrefsFile& prefs, const std::string& path, const ShortcutList& list,
                Point windowPosition, bool pinned);

}  // namespace kivolt
