#include "settings/apply_settings.h"

#include "settings/prefs_file.h"

namespace kivolt {

// The write order differs from the read order: "FensterPos" comes before "Transparenz".
void writeOptions(PrefsFile& prefs, const Settings& s) {
    namespace k = prefs_keys;
    prefs.selectGroup("");
    prefs.writeInt(k::kAlwaysOnTop, s.alwaysOnTop);
    prefs.writeInt(k::kAutostart, s.autostart);
    prefs.writeInt(k::kAutoHide, s.autoHide);
    prefs.writeInt(k::kMarkRunning, s.markRunning);
    prefs.writeInt(k::kDrawBorder, s.drawBorder);
    prefs.writeInt(k::kOrientation, s.orientation);
    prefs.writeInt(k::kTransparency, s.transparency);
    prefs.writeInt(k::kBackgroundColour, static_cast<int32_t>(s.backgroundColour));
    prefs.writeInt(k::kItemSize, s.itemSize);
    prefs.writeString(k::kBackgroundImagePath, s.backgroundImagePath);
    prefs.writeInt(k::kShowBackgroundImage, s.showBackgroundImage);
    prefs.writeInt(k::kBackgroundMode, s.backgroundMode);
}

Applied applySettings(const std::string& prefsPath, const ConfigValues& values, Settings& settings,
                      ApplyTarget& target) {
    PrefsFile prefs;
    if (!prefs.open(prefsPath)) return Applied::Nothing;

    settings.alwaysOnTop = values.alwaysOnTop;
    settings.autostart = values.autostart;
    settings.autoHide = values.autoHide;
    settings.markRunning = values.markRunning;
    settings.drawBorder = values.drawBorder;
    settings.orientation = values.orientation;
    settings.itemSize = values.itemSize;
    settings.transparency = values.transparency;
    settings.backgroundColour = values.backgroundColour;
    target.setWindowColour(settings.backgroundColour);

    target.releaseBackgroundImage();
    settings.backgroundImagePath = values.backgroundImagePath;
    settings.showBackgroundImage = values.showBackgroundImage;
    settings.backgroundMode = values.backgroundMode;
    if (!settings.backgroundImagePath.empty()) target.loadBackgroundImage(settings.backgroundImagePath);

    target.layoutWindows();
    target.setTopmost(settings.alwaysOnTop == 1);
    target.rerenderIcons();
    target.setAlpha(settings.transparency);
    target.updateAutostartLink(settings.autostart);

    writeOptions(prefs, settings);
    target.setRedraw();
    return prefs.close() ? Applied::Stored : Applied::NotStored;
}

}  // namespace kivolt
