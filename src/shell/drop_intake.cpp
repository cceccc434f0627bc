#include "shell/drop_intake.h"

#include "base/text.h"

namespace kivolt {

namespace {

// The path a dropped file is added under, with its show command and parameters.
LinkInfo intakeOf(const std::string& path, const LinkResolver& resolveLink) {
    if (upperCase(extensionPart(path)) == "LNK") {
        std::optional<LinkInfo> link = resolveLink(path);
        if (link && !link->targetPath.empty()) return *link;
    }
    return LinkInfo{1, path, ""};
}

}  // namespace

void onFilesDropped(ShortcutList& list, const DroppedFiles& drop, const ShortcutContext& context,
                    const GridShape& shape, int clientWidth, const LinkResolver& resolveLink) {
    for (const std::string& path : drop.paths) {
        if (path.empty()) continue;
        const LinkInfo intake = intakeOf(path, resolveLink);
        const int position = dropInsertIndex(shape, clientWidth, list.count(), drop.point);
        if (position == 0) {
            list.clearCurrent();
        } else {
            list.selectAt(position - 1);
        }
        Shortcut& shortcut = addShortcut(list, intake.targetPath, context);
        shortcut.runMode = intake.showCommand - 1;
        shortcut.parameters = intake.arguments;
    }
}

}  // namespace kivolt
