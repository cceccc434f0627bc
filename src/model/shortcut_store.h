#pragma once
// The shortcuts in the prefs file: one group per Shortcut, read once at start-up and written
// once at quit.

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
// ("Kivolt fixieren", 0 when absent), or none when the file could not be opened, in which
// case the list is left alone.
std::optional<std::int32_t> loadShortcuts(PrefsFile& prefs, const std::string& path,
                                          ShortcutList& list, const ShortcutContext& context);

// Writes the window position and the pinned flag into the global section, replaces every
// group by the list's shortcuts as [0] to [n-1] and rewrites the file. Does nothing when
// the file cannot be opened (it may have been deleted while running).
void saveOnQuit(PrefsFile& prefs, const std::string& path, const ShortcutList& list,
                Point windowPosition, bool pinned);

}  // namespace kivolt
