#include "settings/apply_settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "temp_folder.h"

namespace kivolt {
namespace {

using testing::exists;
using testing::readBytes;
using testing::TempFolder;
using testing::writeBytes;

// Records each effect with the settings it can see at that moment.
class RecordingTarget : public ApplyTarget {
public:
    explicit RecordingTarget(const Settings& settings) : s_(settings) {}

    void setWindowColour(Colour colour) override { log("colour " + std::to_string(colour)); }
    void releaseBackgroundImage() override { log("release image"); }
    void loadBackgroundImage(const std::string& path) override {
        log("load " + path + " show " + std::to_string(s_.showBackgroundImage) + " mode " +
            std::to_string(s_.backgroundMode));
    }
    void layoutWindows() override {
        log("layout size " + std::to_string(s_.itemSize) + " orientation " + std::to_string(s_.orientation));
    }
    void setTopmost(bool topmost) override { log(topmost ? "topmost" : "not topmost"); }
    void rerenderIcons() override { log("render size " + std::to_string(s_.itemSize)); }
    void setAlpha(int alpha) override { log("alpha " + std::to_string(alpha)); }
    void updateAutostartLink(int autostart) override { log("autostart " + std::to_string(autostart)); }
    void setRedraw() override { log("redraw"); }

    std::vector<std::string> effects;

private:
    void log(std::string effect) { effects.push_back(std::move(effect)); }
    const Settings& s_;
};

ConfigValues sampleValues() {
    ConfigValues v;
    v.alwaysOnTop = 1;
    v.autostart = 1;
    v.autoHide = 1;
    v.markRunning = 0;
    v.drawBorder = 0;
    v.orientation = 1;
    v.itemSize = 48;
    v.transparency = 90;
    v.backgroundColour = rgb(255, 0, 0);
    v.backgroundImagePath = "C:\\bilder\\wald.png";
    v.showBackgroundImage = 1;
    v.backgroundMode = 2;
    return v;
}

ConfigValues optionsOf(const Settings& s) {
    return {s.alwaysOnTop,     s.autostart,        s.autoHide,
            s.markRunning,     s.drawBorder,       s.orientation,
            s.itemSize,        s.transparency,     s.backgroundColour,
            s.backgroundImagePath, s.showBackgroundImage, s.backgroundMode};
}

constexpr char kSampleKeys[] =
    "ImVordergrund = 1\r\nAutostart = 1\r\nAutomAusblenden = 1\r\nAktiveProgrammeMarkieren = 0\r\n"
    "Rahmen = 0\r\nFensterPos = 1\r\nTransparenz = 90\r\nHintergrundFarbe = 255\r\nItemgr\xF6sse = 48\r\n"
    "Hintergrundbild = C:\\bilder\\wald.png\r\nHintergrund zeichnen = 1\r\nHintergrunddarstellung = 2\r\n";

class ApplySettingsTest : public ::testing::Test {
protected:
    std::string path() const { return folder_.file("Kivolt3.4.prefs"); }

    TempFolder folder_;
    Settings settings_;
    RecordingTarget target_{settings_};
};

TEST_F(ApplySettingsTest, EffectsInTheirOrderAfterTheFieldsTheyUse) {
    writeBytes(path(), "");
    settings_.startX = 7;
    ASSERT_EQ(applySettings(path(), sampleValues(), settings_, target_), Applied::Stored);
    const std::vector<std::string> expected = {
        "colour 255",
        "release image",
        "load C:\\bilder\\wald.png show 1 mode 2",
        "layout size 48 orientation 1",
        "topmost",
        "render size 48",
        "alpha 90",
        "autostart 1",
        "redraw",
    };
    EXPECT_EQ(target_.effects, expected);

    EXPECT_EQ(optionsOf(settings_), sampleValues());
    EXPECT_EQ(settings_.startX, 7) << "the window position is not the dialog's";
}

TEST_F(ApplySettingsTest, EmptyPathLoadsNoImageAndClearedTopmostIsApplied) {
    writeBytes(path(), "");
    ConfigValues v = sampleValues();
    v.backgroundImagePath = "";
    v.alwaysOnTop = 0;
    v.autostart = 0;
    ASSERT_EQ(applySettings(path(), v, settings_, target_), Applied::Stored);
    const std::vector<std::string> expected = {
        "colour 255", "release image", "layout size 48 orientation 1", "not topmost",
        "render size 48", "alpha 90", "autostart 0", "redraw",
    };
    EXPECT_EQ(target_.effects, expected);
    EXPECT_EQ(settings_.backgroundImagePath, "");
}

TEST_F(ApplySettingsTest, WritesTheTwelveKeysInTheirWriteOrder) {
    const struct {
        const char* what;
        std::string before;
        std::string after;
    } cases[] = {
        {"empty file", "", kSampleKeys},
        {"after the window state, before the first group",
         "X = 10\r\nY = 20\r\nKivolt fixieren = 0\r\n[0]\r\nPfad = C:\\a.exe\r\n",
         std::string("X = 10\r\nY = 20\r\nKivolt fixieren = 0\r\n") + kSampleKeys + "[0]\r\nPfad = C:\\a.exe\r\n"},
        {"existing keys replaced where they stand, the others appended",
         "Transparenz = 5\r\nFensterPos = 0\r\n[0]\r\nRahmen = 7\r\n",
         "Transparenz = 90\r\nFensterPos = 1\r\nImVordergrund = 1\r\nAutostart = 1\r\nAutomAusblenden = 1\r\n"
         "AktiveProgrammeMarkieren = 0\r\nRahmen = 0\r\nHintergrundFarbe = 255\r\nItemgr\xF6sse = 48\r\n"
         "Hintergrundbild = C:\\bilder\\wald.png\r\nHintergrund zeichnen = 1\r\nHintergrunddarstellung = 2\r\n"
         "[0]\r\nRahmen = 7\r\n"},
    };
    for (const auto& c : cases) {
        writeBytes(path(), c.before);
        ASSERT_EQ(applySettings(path(), sampleValues(), settings_, target_), Applied::Stored) << c.what;
        EXPECT_EQ(readBytes(path()), c.after) << c.what;
    }
}

TEST_F(ApplySettingsTest, UnchangedValuesStillRewriteTheFile) {
    writeBytes(path(), "; hand-made\nRahmen=0\n");
    ConfigValues v = sampleValues();
    v.drawBorder = 0;
    ASSERT_EQ(applySettings(path(), v, settings_, target_), Applied::Stored);
    const std::string first = readBytes(path());
    EXPECT_TRUE(first.starts_with("; hand-made\r\nRahmen = 0\r\nImVordergrund = 1\r\n")) << first;
    ASSERT_EQ(applySettings(path(), v, settings_, target_), Applied::Stored);
    EXPECT_EQ(readBytes(path()), first);
}

TEST_F(ApplySettingsTest, MissingFileAppliesAndWritesNothing) {
    const Settings before = settings_;
    EXPECT_EQ(applySettings(path(), sampleValues(), settings_, target_), Applied::Nothing);
    EXPECT_TRUE(target_.effects.empty());
    EXPECT_FALSE(exists(path()));
    EXPECT_EQ(optionsOf(settings_), optionsOf(before));
}

TEST_F(ApplySettingsTest, OptionsTheFileCouldNotTakeAreAppliedAndWrittenLater) {
    const std::string before = "X = 10\r\n[0]\r\nPfad = C:\\a.exe\r\n";
    writeBytes(path(), before);
    std::filesystem::create_directory(path() + ".tmp");  // squats on the temporary's name: no rewrite
    EXPECT_EQ(applySettings(path(), sampleValues(), settings_, target_), Applied::NotStored);
    EXPECT_EQ(target_.effects.back(), "redraw") << "applied to the box all the same";
    EXPECT_EQ(readBytes(path()), before);

    std::filesystem::remove(path() + ".tmp");
    PrefsFile prefs;
    ASSERT_TRUE(prefs.open(path()));
    writeOptions(prefs, settings_);
    EXPECT_TRUE(prefs.close());
    EXPECT_EQ(readBytes(path()), "X = 10\r\n" + std::string(kSampleKeys) + "[0]\r\nPfad = C:\\a.exe\r\n");
}

}  // namespace
}  // namespace kivolt
