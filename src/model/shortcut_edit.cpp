#include "model/shortcut_edit.h"

#include "base/text.h"
#include "ui/icon_keying.h"

namespace kivolt {

namespace {

constexpr std::size_t kExeSuffixLength = 4;  // ".EXE"

std::string derivedName(std::string_view path) {
    std::string name = filePart(path);
    if (isExecutablePath(name)) name.resize(name.size() - kExeSuffixLength);
    return name;
}

}  // namespace

Shortcut& addShortcut(ShortcutList& list, std::string_view path, const ShortcutContext& context) {
    Shortcut& shortcut = list.insertAfterCurrent();
    shortcut.path = path;
    shortcut.name = derivedName(path);
    shortcut.icon = context.icons.iconFor(shortcut.path);
    shortcut.image = context.icons.renderIcon(shortcut.icon, context.itemSize);
    if (shortcut.image) keyOutSoftPixels(*shortcut.image);
    context.redrawFlag = true;
    return shortcut;
}

void removeShortcut(ShortcutList& list, int index, const ShortcutContext& context) {
    Shortcut* shortcut = list.selectAt(index);
    if (!shortcut) return;
    shortcut->image.reset();
    if (shortcut->icon) context.icons.releaseIcon(shortcut->icon);
    list.deleteCurrent();
    context.redrawFlag = true;
}

void moveShortcut(ShortcutList& list, int sourceIndex, int slot) {
    bool toEnd = slot >= list.count();
    const Shortcut* target = list.selectAt(toEnd ? list.count() - 1 : slot);
    if (!list.selectAt(sourceIndex)) return;
    if (toEnd) {
        list.moveCurrentAfter(target);
    } else {
        list.moveCurrentBefore(target);
    }
}

}  // namespace kivolt
