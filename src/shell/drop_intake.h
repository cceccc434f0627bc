#pragma once
// Turns the files of one drop into Shortcuts at the drop position.

#include <functional>
#include <optional>
#include <string>

#include "app/loop_event.h"
#include "model/grid.h"
#include "model/shortcut_edit.h"
#include "model/shortcut_list.h"
#include "shell/link_info.h"

namespace kivolt {

// Reads a shell link; resolveLink on Windows, a fake in tests.
using LinkResolver = std::function<std::optional<LinkInfo>(const std::string& linkPath)>;

// Adds one Shortcut per dropped path, each at dropInsertIndex of the drop point in a box
// `clientWidth` wide, so several files dropped together stand in reverse order. A ".lnk"
// (any case) gives its target, arguments and show command (runMode = show command - 1); a
// link that cannot be resolved is added as the link file itself. Empty paths are skipped.
// The caller lays out the windows afterwards.
void onFilesDropped(ShortcutList& list, const DroppedFiles& drop, const ShortcutContext& context,
                    const GridShape& shape, int clientWidth, const LinkResolver& resolveLink);

}  // namespace kivolt
