#pragma once
// The global options of the box, their keys in the prefs file's global section and their
// defaults; reading them, and the portable part of saving the window state at quit.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/monitors.h"
#include "base/types.h"
#include "settings/prefs_file.h"

namespace kivolt {

// Key texts of the global section, in CP1252 bytes like everything in the file.
namespace prefs_keys {
inline constexpr std::string_view kAlwaysOnTop = "ImVordergrund";
inline constexpr std::string_view kAutostart = "Autostart";
inline constexpr std::string_view kAutoHide = "AutomAusblenden";
inline constexpr std::string_view kMarkRunning = "AktiveProgrammeMarkieren";
inline constexpr std::string_view kDrawBorder = "Rahmen";
inline constexpr std::string_view kTransparency = "Transparenz";
inline constexpr std::string_view kOrientation = "FensterPos";
inline constexpr std::string_view kBackgroundColour = "HintergrundFarbe";
inline constexpr std::string_view kItemSize = "Itemgrösse";
inline constexpr std::string_view kBackgroundImagePath = "Hintergrundbild";
inline constexpr std::string_view kShowBackgroundImage = "Hintergrund zeichnen";
inline constexpr std::string_view kBackgroundMode = "Hintergrunddarstellung";
inline constexpr std::string_view kStartX = "X";
inline constexpr std::string_view kStartY = "Y";
inline constexpr std::string_view kPinned = "Kivolt fixieren";

// The twelve option keys in the order they are read and written.
inline constexpr std::array<std::string_view, 12> kOptionKeys = {
    kAlwaysOnTop, kAutostart, kAutoHide, kMarkRunning, kDrawBorder, kTransparency, kOrientation,
    kBackgroundColour, kItemSize, kBackgroundImagePath, kShowBackgroundImage, kBackgroundMode,
};
}  // namespace prefs_keys

struct Settings {
    int32_t alwaysOnTop = 0;
    int32_t autostart = 0;
    int32_t autoHide = 0;
    int32_t markRunning = 0;
    int32_t drawBorder = 1;
    int32_t transparency = 200;
    int32_t orientation = 0;                       // Orientation: 0 vertical, 1 horizontal
    Colour backgroundColour = rgb(205, 205, 205);  // 13487565 in the file
    int32_t itemSize = 32;
    std::string backgroundImagePath;
    int32_t showBackgroundImage = 0;
    int32_t backgroundMode = 0;                    // BackgroundMode: 0 centred, 1 stretched, 2 tiled
    int32_t startX = 0;
    int32_t startY = 0;
};

// Calls visit(key, field) for the twelve options in the order of kOptionKeys; the field is
// an int32_t, a Colour or a std::string (const when `settings` is).
template <class S, class Visit>
void forEachOption(S& settings, Visit&& visit) {
    namespace k = prefs_keys;
    visit(k::kAlwaysOnTop, settings.alwaysOnTop);
    visit(k::kAutostart, settings.autostart);
    visit(k::kAutoHide, settings.autoHide);
    visit(k::kMarkRunning, settings.markRunning);
    visit(k::kDrawBorder, settings.drawBorder);
    visit(k::kTransparency, settings.transparency);
    visit(k::kOrientation, settings.orientation);
    visit(k::kBackgroundColour, settings.backgroundColour);
    visit(k::kItemSize, settings.itemSize);
    visit(k::kBackgroundImagePath, settings.backgroundImagePath);
    visit(k::kShowBackgroundImage, settings.showBackgroundImage);
    visit(k::kBackgroundMode, settings.backgroundMode);
}

// Reads the twelve options, then "X" and "Y", from the global section of an open file (a
// missing key gives its default), and brings hand-edited values that could break the
// layout or the painting back into range. The file's text is left as it is.
Settings readSettings(PrefsFile& prefs);

// The window position saved at quit, on the monitor that holds the window: moved right/down
// to the monitor's left/top edge first, then left/up so that the window ends at the work
// area's right/bottom edge, so a window larger than the work area starts before the
// monitor. `window` is the top-left corner with the client size.
Point clampWindowPosition(const Rect& window, const Monitor& monitor);

// Writes "X", "Y" and "Kivolt fixieren", in that order, into the global section.
void writeWindowState(PrefsFile& prefs, Point position, bool pinned);

}  // namespace kivolt
