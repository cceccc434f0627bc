#include "model/shortcut_store.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "fake_icon_source.h"
#include "temp_folder.h"

namespace kivolt {
namespace {

using testing::FakeIconSource;
using testing::namesOf;
using testing::readBytes;
using testing::TempFolder;
using testing::writeBytes;
using Names = std::vector<std::string>;

// The file format's line end.
std::string crlf(std::initializer_list<std::string_view> lines) {
    std::string text;
    for (std::string_view line : lines) (text += line) += "\r\n";
    return text;
}

const std::string kExampleFile = crlf({
    "X = 120",
    "Y = 300",
    "Kivolt fixieren = 0",
    "[0]",
    "Pfad = C:\\Tools\\Editor\\editor.exe",
    "AlsAdmin = 0",
    "Programm Parameter = ",
    "Ausführung = 0",
    "Name = editor",
    "[1]",
    "Pfad = D:\\Fotos",
    "AlsAdmin = 0",
    "Programm Parameter = ",
    "Ausführung = 0",
    "Name = Fotos",
});

class ShortcutStoreTest : public ::testing::Test {
protected:
    void writeFile(const std::string& bytes) { writeBytes(path_, bytes); }
    std::string readFile() const { return readBytes(path_); }

    std::optional<std::int32_t> load() { return loadShortcuts(prefs_, path_, list_, context_); }
    bool save(Point position = {120, 300}, bool pinned = false) {
        return saveOnQuit(prefs_, path_, list_, position, pinned);
    }

    TempFolder folder_;
    std::string path_ = folder_.file("Kivolt3.4.prefs");
    PrefsFile prefs_;
    FakeIconSource icons_;
    bool redraw_ = false;
    ShortcutContext context_{icons_, 48, redraw_};
    ShortcutList list_;
};

TEST_F(ShortcutStoreTest, SavesTheExampleFileByteForByte) {
    writeFile("");
    addShortcut(list_, "C:\\Tools\\Editor\\editor.exe", context_);
    addShortcut(list_, "D:\\Fotos", context_);
    save();
    EXPECT_EQ(readFile(), kExampleFile);
}

TEST_F(ShortcutStoreTest, LoadsTheExampleFile) {
    writeFile(kExampleFile);
    EXPECT_EQ(load(), 0);
    ASSERT_EQ(list_.count(), 2);
    const Shortcut& editor = *list_.selectAt(0);
    EXPECT_EQ(editor.path, "C:\\Tools\\Editor\\editor.exe");
    EXPECT_EQ(editor.name, "editor");
    EXPECT_EQ(editor.parameters, "");
    EXPECT_EQ(editor.runAsAdmin, 0);
    EXPECT_EQ(editor.runMode, 0);
    ASSERT_TRUE(editor.image.has_value());
    EXPECT_EQ(editor.image->width, 48);
    EXPECT_EQ(list_.selectAt(1)->name, "Fotos");
    EXPECT_EQ(icons_.requestedPaths, Names({"C:\\Tools\\Editor\\editor.exe", "D:\\Fotos"}));
    EXPECT_EQ(readFile(), kExampleFile);  // loading writes nothing
}

TEST_F(ShortcutStoreTest, LoadReadsFieldsAndThePinnedFlag) {
    writeFile(crlf({
        "Kivolt fixieren = 1",
        "[0]",
        "Pfad = C:\\a\\run.exe",
        "AlsAdmin = 1",
        "Programm Parameter =  -v --log x  ",
        "Ausführung = 2",
        "Name = editor.exe",  // a stored name keeps its .exe
        "[1]",
        "Pfad = C:\\b\\tool.exe",
        "Ausführung = x",
        "Name =   padded name \t",
        "[2]",
        "Pfad = C:\\c\\nameless.exe",
    }));
    EXPECT_EQ(load(), 1);
    ASSERT_EQ(list_.count(), 3);
    const Shortcut& first = *list_.selectAt(0);
    EXPECT_EQ(first.runAsAdmin, 1);
    EXPECT_EQ(first.parameters, "-v --log x");
    EXPECT_EQ(first.runMode, 2);
    EXPECT_EQ(first.name, "editor.exe");
    EXPECT_EQ(list_.selectAt(1)->runMode, 0);
    EXPECT_EQ(list_.selectAt(1)->name, "padded name");
    EXPECT_EQ(list_.selectAt(2)->name, "");  // no Name key: not the derived "nameless"
}

TEST_F(ShortcutStoreTest, GroupsAreLoadedInFileOrderAndRenumbered) {
    writeFile(crlf({"[5]", "Pfad = five", "Name = five", "[2]", "Pfad = two", "Name = two",
                    "[9]", "Pfad = nine", "Name = nine"}));
    EXPECT_EQ(load(), 0);
    EXPECT_EQ(namesOf(list_), Names({"five", "two", "nine"}));
    save({0, 0});
    EXPECT_EQ(readFile(), crlf({"X = 0", "Y = 0", "Kivolt fixieren = 0",
                                "[0]", "Pfad = five", "AlsAdmin = 0", "Programm Parameter = ", "Ausführung = 0", "Name = five",
                                "[1]", "Pfad = two", "AlsAdmin = 0", "Programm Parameter = ", "Ausführung = 0", "Name = two",
                                "[2]", "Pfad = nine", "AlsAdmin = 0", "Programm Parameter = ", "Ausführung = 0", "Name = nine"}));
}

TEST_F(ShortcutStoreTest, ForeignGroupsBecomeShortcutsAndGroupCommentsAreLost) {
    writeFile(crlf({"; kept: global comment", "Farbe = blau", "X = 7", "[0]", "; lost: group comment",
                    "Pfad = C:\\a.exe", "Name = a", "[Notiz]", "; nur eine Notiz"}));
    EXPECT_EQ(load(), 0);
    ASSERT_EQ(list_.count(), 2);
    EXPECT_EQ(list_.selectAt(1)->path, "");
    EXPECT_EQ(list_.selectAt(1)->name, "");
    save({-20, 40}, true);
    EXPECT_EQ(readFile(), crlf({"; kept: global comment", "Farbe = blau", "X = -20", "Y = 40", "Kivolt fixieren = 1",
                                "[0]", "Pfad = C:\\a.exe", "AlsAdmin = 0", "Programm Parameter = ", "Ausführung = 0", "Name = a",
                                "[1]", "Pfad = ", "AlsAdmin = 0", "Programm Parameter = ", "Ausführung = 0", "Name = "}));
}

TEST_F(ShortcutStoreTest, SavingAnEmptyListLeavesOnlyTheGlobalSection) {
    writeFile(crlf({"Rahmen = 0", "[0]", "Pfad = a", "[1]", "Pfad = b", "[x]"}));
    save({3, 4});
    EXPECT_EQ(readFile(), crlf({"Rahmen = 0", "X = 3", "Y = 4", "Kivolt fixieren = 0"}));
}

TEST_F(ShortcutStoreTest, GroupNamedBeyondCodePage1252IsNotLoadedAgainAfterASave) {
    // A UTF-8 file with a group "[\u20AC]" (the euro sign, which decodes to "?").
    writeFile("\xEF\xBB\xBF" + crlf({"[\xE2\x82\xAC]", "Pfad = a"}));
    ASSERT_EQ(load(), 0);
    ASSERT_EQ(list_.count(), 1);
    save({0, 0});
    list_.clearCurrent();
    while (list_.count() > 0) {
        list_.selectAt(0);
        list_.deleteCurrent();
    }
    EXPECT_EQ(load(), 0);
    EXPECT_EQ(list_.count(), 1);
}

TEST_F(ShortcutStoreTest, SaveThenLoadGivesTheSameShortcuts) {
    writeFile("");
    Shortcut& s = addShortcut(list_, "C:\\Program Files\\App\\app.exe", context_);
    s.runAsAdmin = 1;
    s.runMode = 1;
    s.parameters = "--flag=1 \"quoted arg\"";
    s.name = "Mein Programm ä";
    save({10, 20}, true);

    ShortcutList reloaded;
    EXPECT_EQ(loadShortcuts(prefs_, path_, reloaded, context_), 1);
    ASSERT_EQ(reloaded.count(), 1);
    const Shortcut& r = *reloaded.selectAt(0);
    EXPECT_EQ(r.path, s.path);
    EXPECT_EQ(r.runAsAdmin, 1);
    EXPECT_EQ(r.runMode, 1);
    EXPECT_EQ(r.parameters, s.parameters);
    EXPECT_EQ(r.name, s.name);
}

TEST_F(ShortcutStoreTest, MissingFileIsNeitherLoadedNorCreated) {
    EXPECT_EQ(load(), std::nullopt);
    EXPECT_EQ(list_.count(), 0);
    EXPECT_FALSE(redraw_);

    addShortcut(list_, "C:\\a.exe", context_);
    EXPECT_TRUE(save()) << "nothing to try again";
    EXPECT_FALSE(testing::exists(path_));
}

TEST_F(ShortcutStoreTest, SavingWhatTheFileHoldsWritesNothing) {
    writeFile(kExampleFile);
    ASSERT_EQ(load(), 0);
    const testing::RewriteWatch watch(path_);
    // Pinned and unpinned again, or any edit undone, before the save.
    EXPECT_TRUE(save({120, 300}, false));
    EXPECT_FALSE(watch.replaced());
    EXPECT_TRUE(save({120, 300}, true));
    EXPECT_TRUE(watch.replaced());
    EXPECT_NE(readFile().find("Kivolt fixieren = 1\r\n"), std::string::npos);
}

TEST_F(ShortcutStoreTest, AFileThatCannotBeReadIsNeitherLoadedNorWrittenAndTheSaveSaysSo) {
#ifdef _WIN32
    GTEST_SKIP() << "no symbolic links for this test's own use here; the Windows tests hold the file instead";
#endif
    testing::makeUnopenable(path_);
    EXPECT_EQ(load(), std::nullopt);
    addShortcut(list_, "C:\\a.exe", context_);
    EXPECT_FALSE(save());
    EXPECT_TRUE(std::filesystem::is_symlink(path_));
}

}  // namespace
}  // namespace kivolt
