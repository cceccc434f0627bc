#pragma once
// Where the prefs file lives: "<appdata>\Kivolt\Kivolt3.4.prefs".

#include <string>

namespace kivolt {

inline constexpr char kPrefsFolderName[] = "Kivolt";
inline constexpr char kPrefsFileName[] = "Kivolt3.4.prefs";

// appDataDir ends with a backslash (it is "\" when the variable is unset).
inline std::string prefsFolder(const std::string& appDataDir) { return appDataDir + kPrefsFolderName; }
inline std::string prefsPath(const std::string& appDataDir) {
    return prefsFolder(appDataDir) + "\\" + kPrefsFileName;
}

}  // namespace kivolt
