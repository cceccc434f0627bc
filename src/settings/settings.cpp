#include "settings/settings.h"

#include <algorithm>

namespace kivolt {
namespace {

// Each field's current value is its default.
struct OptionReader {
    PrefsFile& prefs;
    void operator()(std::string_view key, int32_t& field) const { field = prefs.readInt(key, field); }
    void operator()(std::string_view key, Colour& field) const {
        field = static_cast<Colour>(prefs.readInt(key, static_cast<int32_t>(field)));
    }
    void operator()(std::string_view key, std::string& field) const { field = prefs.readString(key, field); }
};

// An item size of -10 or less makes the cell size zero or negative (a division by zero in
// the grid), a huge one asks for gigabyte bitmaps; the other two only keep values sane.
void clampHandEdited(Settings& s) {
    s.itemSize = std::clamp(s.itemSize, 16, 64);
    s.transparency = std::clamp(s.transparency, 0, 255);
    if (s.orientation != 0 && s.orientation != 1) s.orientation = 0;
}

}  // namespace

Settings readSettings(PrefsFile& prefs) {
    Settings s;
    prefs.selectGroup("");
    forEachOption(s, OptionReader{prefs});
    s.startX = prefs.readInt(prefs_keys::kStartX, s.startX);
    s.startY = prefs.readInt(prefs_keys::kStartY, s.startY);
    clampHandEdited(s);
    return s;
}

Point clampWindowPosition(const Rect& window, const Monitor& monitor) {
    // The lower bound is the monitor's edge (0 on the primary one), not the work area's.
    Point p{std::max(window.x, monitor.bounds.x), std::max(window.y, monitor.bounds.y)};
    if (p.x + window.w > monitor.workArea.right()) p.x = monitor.workArea.right() - window.w;
    if (p.y + window.h > monitor.workArea.bottom()) p.y = monitor.workArea.bottom() - window.h;
    return p;
}

void writeWindowState(PrefsFile& prefs, Point position, bool pinned) {
    prefs.selectGroup("");
    prefs.writeInt(prefs_keys::kStartX, position.x);
    prefs.writeInt(prefs_keys::kStartY, position.y);
    prefs.writeInt(prefs_keys::kPinned, pinned ? 1 : 0);
}

}  // namespace kivolt
