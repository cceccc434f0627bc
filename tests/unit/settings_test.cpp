#include "settings/settings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "temp_folder.h"

namespace kivolt {
namespace {

using testing::readBytes;
using testing::TempFolder;
using testing::writeBytes;

class SettingsTest : public ::testing::Test {
protected:
    std::string path() const { return folder_.file("Kivolt3.4.prefs"); }
    Settings readFrom(const std::string& bytes) {
        writeBytes(path(), bytes);
        PrefsFile prefs;
        EXPECT_TRUE(prefs.open(path()));
        return readSettings(prefs);
    }

    TempFolder folder_;
};

void expectDefaults(const Settings& s) {
    EXPECT_EQ(s.alwaysOnTop, 0);
    EXPECT_EQ(s.autostart, 0);
    EXPECT_EQ(s.autoHide, 0);
    EXPECT_EQ(s.markRunning, 0);
    EXPECT_EQ(s.drawBorder, 1);
    EXPECT_EQ(s.transparency, 200);
    EXPECT_EQ(s.orientation, 0);
    EXPECT_EQ(s.backgroundColour, 13487565u);
    EXPECT_EQ(s.itemSize, 32);
    EXPECT_EQ(s.backgroundImagePath, "");
    EXPECT_EQ(s.showBackgroundImage, 0);
    EXPECT_EQ(s.backgroundMode, 0);
    EXPECT_EQ(s.startX, 0);
    EXPECT_EQ(s.startY, 0);
}

TEST_F(SettingsTest, DefaultsFromAMissingOrEmptyFile) {
    PrefsFile missing;
    EXPECT_FALSE(missing.open(path()));
    expectDefaults(readSettings(missing));
    missing.close();
    EXPECT_FALSE(testing::exists(path()));

    expectDefaults(readFrom(""));
    // Keys of the shortcut groups are not global options.
    expectDefaults(readFrom("[0]\nImVordergrund = 1\nItemgrösse = 48\nX = 5\n"));
}

TEST_F(SettingsTest, ReadsEveryKeyIntoItsField) {
    const Settings s = readFrom(
        "ImVordergrund = 1\nAutostart = 1\nAutomAusblenden = 1\nAktiveProgrammeMarkieren = 1\n"
        "Rahmen = 0\nTransparenz = 90\nFensterPos = 1\nHintergrundFarbe = 255\nItemgrösse = 48\n"
        "Hintergrundbild =  C:\\bilder\\wald.png \nHintergrund zeichnen = 1\nHintergrunddarstellung = 2\n"
        "X = -20\nY = 300\nKivolt fixieren = 1\n[0]\nPfad = a\n");
    EXPECT_EQ(s.alwaysOnTop, 1);
    EXPECT_EQ(s.autostart, 1);
    EXPECT_EQ(s.autoHide, 1);
    EXPECT_EQ(s.markRunning, 1);
    EXPECT_EQ(s.drawBorder, 0);
    EXPECT_EQ(s.transparency, 90);
    EXPECT_EQ(s.orientation, 1);
    EXPECT_EQ(s.backgroundColour, rgb(255, 0, 0));
    EXPECT_EQ(s.itemSize, 48);
    EXPECT_EQ(s.backgroundImagePath, "C:\\bilder\\wald.png");
    EXPECT_EQ(s.showBackgroundImage, 1);
    EXPECT_EQ(s.backgroundMode, 2);
    EXPECT_EQ(s.startX, -20);
    EXPECT_EQ(s.startY, 300);
}

TEST(SettingsKeys, OptionsInTheirOrderAndWithTheirBytes) {
    EXPECT_EQ(prefs_keys::kItemSize, "Itemgr\xF6sse");  // code page 1252, ten bytes
    const std::vector<std::string_view> expected = {
        "ImVordergrund", "Autostart", "AutomAusblenden", "AktiveProgrammeMarkieren", "Rahmen", "Transparenz",
        "FensterPos", "HintergrundFarbe", "Itemgr\xF6sse", "Hintergrundbild", "Hintergrund zeichnen",
        "Hintergrunddarstellung"};
    EXPECT_EQ(std::vector<std::string_view>(prefs_keys::kOptionKeys.begin(), prefs_keys::kOptionKeys.end()),
              expected);

    std::vector<std::string_view> visited;
    const Settings s;
    forEachOption(s, [&](std::string_view key, const auto&) { visited.push_back(key); });
    EXPECT_EQ(visited, expected);
}

TEST_F(SettingsTest, HandEditedValuesAreBroughtIntoRange) {
    const struct {
        const char* line;
        int32_t Settings::*field;
        int32_t expected;
    } cases[] = {
        {"Itemgrösse = 0", &Settings::itemSize, 16},
        {"Itemgrösse = -10", &Settings::itemSize, 16},
        {"Itemgrösse = 15", &Settings::itemSize, 16},
        {"Itemgrösse = 16", &Settings::itemSize, 16},
        {"Itemgrösse = 64", &Settings::itemSize, 64},
        {"Itemgrösse = 99999999999", &Settings::itemSize, 64},
        {"Transparenz = -1", &Settings::transparency, 0},
        {"Transparenz = 0", &Settings::transparency, 0},
        {"Transparenz = 256", &Settings::transparency, 255},
        {"FensterPos = 1", &Settings::orientation, 1},
        {"FensterPos = 2", &Settings::orientation, 0},
        {"FensterPos = -1", &Settings::orientation, 0},
        {"FensterPos = abc", &Settings::orientation, 0},
    };
    for (const auto& c : cases) {
        const std::string file = std::string(c.line) + "\r\n";
        EXPECT_EQ(readFrom(file).*c.field, c.expected) << c.line;
        EXPECT_EQ(readBytes(path()), file) << "the file keeps its text";
    }
}

TEST(SaveWindowState, ClampsThePositionToTheWorkAreaOfItsMonitor) {
    const Monitor primary{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}};
    const Monitor leftTaskbar{{0, 0, 1920, 1080}, {40, 40, 800, 600}};
    const Monitor leftOfPrimary{{-1920, 0, 1920, 1080}, {-1920, 0, 1920, 1040}};
    const Monitor rightOfPrimary{{1920, 0, 1280, 1024}, {1920, 0, 1280, 984}};
    const struct {
        const char* what;
        Rect window;
        Monitor monitor;
        Point expected;
    } cases[] = {
        {"inside", {100, 200, 300, 400}, primary, {100, 200}},
        {"right edge 40 beyond", {1660, 10, 300, 50}, primary, {1620, 10}},
        {"bottom edge beyond", {10, 1000, 50, 300}, primary, {10, 740}},
        {"left of the primary monitor, measured on it", {-300, -50, 300, 50}, primary, {0, 0}},
        {"wider than the work area", {-10, 0, 2000, 50}, primary, {-80, 0}},
        {"lower bound is the monitor's edge, not the work area's", {5, 5, 100, 100}, leftTaskbar, {5, 5}},
        {"work area that does not start at 0", {900, 700, 100, 100}, leftTaskbar, {740, 540}},
        {"on the monitor left of the primary one", {-300, 200, 300, 50}, leftOfPrimary, {-300, 200}},
        {"beyond that monitor's left edge", {-1950, 200, 300, 50}, leftOfPrimary, {-1920, 200}},
        {"on a monitor right of the primary one", {2400, 500, 300, 50}, rightOfPrimary, {2400, 500}},
        {"past that monitor's right edge", {3100, 970, 300, 50}, rightOfPrimary, {2900, 934}},
    };
    for (const auto& c : cases) EXPECT_EQ(clampWindowPosition(c.window, c.monitor), c.expected) << c.what;
}

TEST_F(SettingsTest, WindowStateGoesToTheGlobalSectionInItsOrder) {
    const struct {
        const char* what;
        std::string before;
        std::string after;
    } cases[] = {
        {"empty file", "", "X = 10\r\nY = -4\r\nKivolt fixieren = 1\r\n"},
        {"before the first group", "[0]\nPfad = a\n", "X = 10\r\nY = -4\r\nKivolt fixieren = 1\r\n[0]\r\nPfad = a\r\n"},
        {"replaced where they are", "Y = 1\nRahmen = 0\nkivolt FIXIEREN = 0\nX = 2\n",
         "Y = -4\r\nRahmen = 0\r\nKivolt fixieren = 1\r\nX = 10\r\n"},
    };
    for (const auto& c : cases) {
        writeBytes(path(), c.before);
        PrefsFile prefs;
        ASSERT_TRUE(prefs.open(path()));
        prefs.selectGroup("0");  // wherever the caller stood
        writeWindowState(prefs, {10, -4}, true);
        prefs.close();
        EXPECT_EQ(readBytes(path()), c.after) << c.what;
    }
}

}  // namespace
}  // namespace kivolt
