#include "settings/start_read.h"

#include "base/retry.h"

namespace kivolt {

PrefsFile::State openAtStart(PrefsFile& prefs, const std::string& path, const std::function<void()>& pause) {
    retry(
        kStartReadAttempts,
        [&] {
            prefs.open(path);
            return prefs.state() != PrefsFile::State::Unreadable;
        },
        pause);
    return prefs.state();
}

}  // namespace kivolt
