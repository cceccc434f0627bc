#pragma once

#include <string>

namespace kivolt {

// The value of the environment variable "appdata" followed by one backslash.
std::string appDataDirFromEnvironment();

// First run: creates the prefs folder and an empty prefs file. An existing file is never
// touched.
void ensurePrefsFile(const std::string& appDataDir);

}  // namespace kivolt
