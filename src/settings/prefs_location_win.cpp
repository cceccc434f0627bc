#include "settings/prefs_location_win.h"

#include <windows.h>

#include "base/unique_handle_win.h"
#include "settings/prefs_file.h"
#include "settings/prefs_location.h"

namespace kivolt {

namespace {

// Looks for the prefs folder in the listing of appDataDir and whether the file in it opens.
bool prefsFileListed(const std::string& appDataDir) {
    WIN32_FIND_DATAA entry{};
    UniqueFind find(FindFirstFileA((appDataDir + "*.*").c_str(), &entry));
    if (!find) return false;
    bool found = false;
    do {
        if (lstrcmpiA(entry.cFileName, kPrefsFolderName) != 0) continue;
        PrefsFile prefs;
        if (prefs.open(prefsPath(appDataDir))) {
            prefs.close();
            found = true;
        }
    } while (FindNextFileA(find.get(), &entry));
    return found;
}

}  // namespace

std::string appDataDirFromEnvironment() {
    std::string value(MAX_PATH, '\0');
    DWORD length = GetEnvironmentVariableA("appdata", value.data(), static_cast<DWORD>(value.size()));
    if (length >= value.size()) {
        value.resize(length);
        length = GetEnvironmentVariableA("appdata", value.data(), static_cast<DWORD>(value.size()));
    }
    value.resize(length < value.size() ? length : 0);
    return value + "\\";
}

void ensurePrefsFile(const std::string& appDataDir) {
    if (prefsFileListed(appDataDir)) return;
    CreateDirectoryA(prefsFolder(appDataDir).c_str(), nullptr);
    const std::string path = prefsPath(appDataDir);
    if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) return;
    PrefsFile prefs;
    if (prefs.create(path)) prefs.close();
}

}  // namespace kivolt
