#pragma once
// Applying the configuration dialog's values: the effects on the box in their fixed order,
// then the twelve option keys saved to the prefs file.

#include <cstdint>
#include <string>

#include "base/types.h"
#include "settings/prefs_file.h"
#include "settings/settings.h"

namespace kivolt {

// What the configuration dialog's controls hold, one field per option.
struct ConfigValues {
    int32_t alwaysOnTop = 0;
    int32_t autostart = 0;
    int32_t autoHide = 0;
    int32_t markRunning = 0;
    int32_t drawBorder = 0;
    int32_t orientation = 0;
    int32_t itemSize = 0;
    int32_t transparency = 0;
    Colour backgroundColour = 0;
    std::string backgroundImagePath;
    int32_t showBackgroundImage = 0;
    int32_t backgroundMode = 0;
    friend bool operator==(const ConfigValues&, const ConfigValues&) = default;
};

// The effects of applying, in the order applySettings calls them. They run after the
// settings fields they depend on have been assigned.
class ApplyTarget {
public:
    virtual ~ApplyTarget() = default;
    virtual void setWindowColour(Colour colour) = 0;
    virtual void releaseBackgroundImage() = 0;
    virtual void loadBackgroundImage(const std::string& path) = 0;
    virtual void layoutWindows() = 0;
    virtual void setTopmost(bool topmost) = 0;
    virtual void rerenderIcons() = 0;
    virtual void setAlpha(int alpha) = 0;
    virtual void updateAutostartLink(int autostart) = 0;
    virtual void setRedraw() = 0;
};

// What came of applying: nothing at all (the prefs file cannot be opened); applied and
// stored; applied, but the file could not be written (another program holds it, the disk is
// full): the options are worth writing again later.
enum class Applied { Nothing, Stored, NotStored };

// Does nothing at all when the prefs file cannot be opened. Otherwise copies the values into
// `settings`, applies them through `target`, writes all twelve option keys to the global
// section and rewrites the file.
Applied applySettings(const std::string& prefsPath, const ConfigValues& values, Settings& settings,
                      ApplyTarget& target);

// Writes the twelve option keys of `settings` into the global section of the open file, in
// their write order.
void writeOptions(PrefsFile& prefs, const Settings& settings);

}  // namespace kivolt
