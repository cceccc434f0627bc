#pragma once
// Reading the prefs file at start-up, when another program may be holding it.

#include <functional>
#include <string>

#include "settings/prefs_file.h"

namespace kivolt {

// A file that exists but cannot be read whole (held without read sharing by a sync client or
// a virus scanner, or a read that ended early) is opened again this often, with a pause of
// kStartReadPauseMs between tries: about two seconds in all.
inline constexpr int kStartReadAttempts = 20;
inline constexpr int kStartReadPauseMs = 100;

// Opens the file for start-up, trying again as above; the file stays open for reading and
// its state says what was found in the end.
PrefsFile::State openAtStart(PrefsFile& prefs, const std::string& path, const std::function<void()>& pause);

}  // namespace kivolt
