#include "model/shortcut_store.h"

#include <string_view>

#include "settings/settings.h"

namespace kivolt {

namespace {

// Keys of a shortcut group, in the order they are written.
constexpr std::string_view kPathKey = "Pfad";
constexpr std::string_view kRunAsAdminKey = "AlsAdmin";
constexpr std::string_view kParametersKey = "Programm Parameter";
constexpr std::string_view kRunModeKey = "Ausführung";
constexpr std::string_view kNameKey = "Name";

void readGroup(PrefsFile& prefs, ShortcutList& list, const ShortcutContext& context) {
    Shortcut& shortcut = addShortcut(list, prefs.readString(kPathKey, ""), context);
    shortcut.runAsAdmin = prefs.readInt(kRunAsAdminKey, 0);
    shortcut.parameters = prefs.readString(kParametersKey, "");
    shortcut.runMode = prefs.readInt(kRunModeKey, 0);
    // The stored name replaces the derived one, even when the group has none.
    shortcut.name = prefs.readString(kNameKey, "");
}

void writeGroup(PrefsFile& prefs, const Shortcut& shortcut) {
    prefs.writeString(kPathKey, shortcut.path);
    prefs.writeInt(kRunAsAdminKey, shortcut.runAsAdmin);
    prefs.writeString(kParametersKey, shortcut.parameters);
    prefs.writeInt(kRunModeKey, shortcut.runMode);
    prefs.writeString(kNameKey, shortcut.name);
}

// Removing the current group makes the global section current, so each nextGroup finds the
// first group that is left. Removing by position, not by name, also takes groups whose names
// do not read back (characters beyond code page 1252 in a UTF-8 file), which would otherwise
// be loaded again as one more shortcut on every run.
void removeAllGroups(PrefsFile& prefs) {
    prefs.rewindGroups();
    while (prefs.nextGroup()) prefs.removeCurrentGroup();
}

}  // namespace

std::optional<std::int32_t> loadShortcuts(PrefsFile& prefs, const std::string& path,
                                          ShortcutList& list, const ShortcutContext& context) {
    if (!prefs.open(path)) {
        prefs.close();
        return std::nullopt;
    }
    const std::int32_t pinned = prefs.readInt(prefs_keys::kPinned, 0);
    // Group names are never looked at: every group becomes a Shortcut.
    prefs.rewindGroups();
    while (prefs.nextGroup()) readGroup(prefs, list, context);
    prefs.close();
    return pinned;
}

bool saveOnQuit(PrefsFile& prefs, const std::string& path, const ShortcutList& list,
                Point windowPosition, bool pinned) {
    if (!prefs.open(path)) {
        const bool missing = prefs.state() == PrefsFile::State::Missing;
        prefs.close();
        return missing;
    }
    writeWindowState(prefs, windowPosition, pinned);
    removeAllGroups(prefs);
    int index = 0;
    for (const Shortcut& shortcut : list) {
        // The group was just removed, so it is appended at the end by the first write.
        prefs.selectGroup(std::to_string(index++));
        writeGroup(prefs, shortcut);
    }
    return prefs.close();
}

}  // namespace kivolt
