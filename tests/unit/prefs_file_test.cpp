#include "settings/prefs_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <climits>
#include <filesystem>
#include <string>
#include <vector>

#include "temp_folder.h"

namespace kivolt {
namespace {

using testing::exists;
using testing::makeUnopenable;
using testing::readBytes;
using testing::RewriteWatch;
using testing::stillWritable;
using testing::TempFolder;
using testing::writeBytes;
using Kind = PrefsEntry::Kind;

constexpr const char* kPermissionsIgnored = "write permission cannot be taken away here (root, or a folder on Windows)";
constexpr const char* kNoSymbolicLinks =
    "no symbolic links for this test's own use here (Wine's CreateSymbolicLink makes none); the Windows tests "
    "hold the file open instead";

PrefsEntry group(std::string name) { return {Kind::GroupHeader, std::move(name), {}}; }
PrefsEntry comment(std::string text) { return {Kind::Comment, std::move(text), {}}; }
PrefsEntry pair(std::string key, std::string value) { return {Kind::KeyValue, std::move(key), std::move(value)}; }

std::string lines(std::initializer_list<std::string_view> each) {
    std::string out;
    for (const std::string_view line : each) (out += line) += "\r\n";
    return out;
}

// --- Parsing and serialising bytes ---

struct ParseCase {
    const char* what;
    std::string input;
    std::vector<PrefsEntry> expected;
};

TEST(PrefsParse, LinesEntriesAndTrimming) {
    const ParseCase cases[] = {
        {"empty", "", {}},
        {"CR LF", "a = 1\r\nb = 2\r\n", {pair("a", "1"), pair("b", "2")}},
        {"LF only", "a = 1\nb = 2\n", {pair("a", "1"), pair("b", "2")}},
        {"CR only", "a = 1\rb = 2", {pair("a", "1"), pair("b", "2")}},
        {"runs of CR and LF, blank lines", "\r\n\n\ra = 1\n\r\r\n   \n\t\nb = 2\n\n", {pair("a", "1"), pair("b", "2")}},
        {"no line end at the end", "x", {pair("x", "")}},
        {"key without = and LF", "x\ny = 1\n", {pair("x", ""), pair("y", "1")}},
        {"blanks around =", "  Rahmen\t=\t0  \n", {pair("Rahmen", "0  ")}},
        {"more = belong to the value", "a = b = c", {pair("a", "b = c")}},
        {"empty key", "= v\n", {pair("", "v")}},
        {"empty value", "k =\n", {pair("k", "")}},
        {"comment, one space skipped", "; notes\n;x\n;  two\n;\ttab\n",
         {comment("notes"), comment("x"), comment(" two"), comment("\ttab")}},
        {"indented comment", "  ; c\n", {comment("c")}},
        {"group, rest of line ignored", "[0] old\n", {group("0")}},
        {"group name not trimmed", "[ 0 ]\n", {group(" 0 ")}},
        {"group without ]", "[abc\n", {group("abc")}},
        {"empty group name", "[]\n", {group("")}},
        {"indented group", "\t[7]\n", {group("7")}},
        {"zero bytes are ordinary bytes", std::string("a\0b = c\0d\n[\0]\n", 14),
         {pair(std::string("a\0b", 3), std::string("c\0d", 3)), group(std::string("\0", 1))}},
    };
    for (const ParseCase& c : cases) EXPECT_EQ(PrefsFile::parse(c.input), c.expected) << c.what;
}

TEST(PrefsSerialise, WritesCanonicalLines) {
    const std::vector<PrefsEntry> entries = {comment("notes"), pair("ImVordergrund", "1"), pair("Leer", ""),
                                             group("0"), pair("Pfad", "C:\\a.exe   ")};
    const std::string body = lines({"; notes", "ImVordergrund = 1", "Leer = ", "[0]", "Pfad = C:\\a.exe   "});
    EXPECT_EQ(PrefsFile::serialise(entries, false), body);
    EXPECT_EQ(PrefsFile::serialise(entries, true), "\xEF\xBB\xBF\r\n" + body);
    EXPECT_EQ(PrefsFile::serialise({}, false), "");
    EXPECT_EQ(PrefsFile::serialise({}, true), "\xEF\xBB\xBF\r\n");
}

TEST(PrefsSerialise, RewriteNormalisesAndParsesBackToTheSameEntries) {
    const std::string hand = "\n  ImVordergrund=1\r;text\r\n[0] trailing\n\tPfad\t=  a  \nflag\n";
    const auto entries = PrefsFile::parse(hand);
    const std::string rewritten = PrefsFile::serialise(entries, false);
    EXPECT_EQ(rewritten, lines({"ImVordergrund = 1", "; text", "[0]", "Pfad = a  ", "flag = "}));
    EXPECT_EQ(PrefsFile::parse(rewritten), entries);
}

// --- The open file ---

class PrefsFileTest : public ::testing::Test {
protected:
    std::string path() const { return folder_.file("Kivolt3.4.prefs"); }
    // Opens `bytes` as the prefs file, runs `edit` and closes; gives the bytes on disk.
    template <class Edit>
    std::string edited(const std::string& bytes, Edit edit) {
        writeBytes(path(), bytes);
        PrefsFile prefs;
        EXPECT_TRUE(prefs.open(path()));
        edit(prefs);
        prefs.close();
        return readBytes(path());
    }

    TempFolder folder_;
};

TEST_F(PrefsFileTest, WorkedExample) {
    const std::string before = "; notes\n  ImVordergrund=1\n\n[0]\nPfad = C:\\a.exe   \n";
    const std::string after = edited(before, [](PrefsFile& p) { p.writeInt("Autostart", 1); });
    EXPECT_EQ(after, lines({"; notes", "ImVordergrund = 1", "Autostart = 1", "[0]", "Pfad = C:\\a.exe   "}));
}

TEST_F(PrefsFileTest, UntouchedWithoutWritesEvenWhenHandFormatted) {
    const std::string hand = "\n\n  ; c\nA=1\n\n[0] x\r  Pfad=a\t\n\xEF\xBB\xBFjunk";
    EXPECT_EQ(edited(hand, [](PrefsFile& p) {
                  p.readInt("A", 0);
                  p.selectGroup("0");
                  p.readString("Pfad", "");
                  p.selectGroup("9");  // pending, but never written
              }),
              hand);
}

TEST_F(PrefsFileTest, EqualValueStillCountsAsWrite) {
    EXPECT_EQ(edited("A=1\n", [](PrefsFile& p) { p.writeInt("A", 1); }), lines({"A = 1"}));
}

TEST_F(PrefsFileTest, WritesThatLeaveTheBytesAsTheyWereRewriteNothing) {
    const std::string file = lines({"A = 1", "[0]", "Pfad = a"});
    writeBytes(path(), file);
    const RewriteWatch watch(path());
    PrefsFile prefs;
    ASSERT_TRUE(prefs.open(path()));
    prefs.writeInt("A", 2);
    prefs.writeInt("A", 1);
    prefs.removeGroup("0");
    prefs.selectGroup("0");
    prefs.writeString("Pfad", "a");
    EXPECT_TRUE(prefs.close());
    EXPECT_FALSE(watch.replaced());
    EXPECT_EQ(readBytes(path()), file);

    // The same writes on a hand-formatted file change its bytes: that is a rewrite.
    writeBytes(path(), "A=1\n[0]\nPfad = a\n");
    ASSERT_TRUE(prefs.open(path()));
    prefs.writeInt("A", 1);
    EXPECT_TRUE(prefs.close());
    EXPECT_TRUE(watch.replaced());
    EXPECT_EQ(readBytes(path()), file);
}

TEST_F(PrefsFileTest, ReadIntLikeAtoiClampedTo32Bits) {
    const struct {
        const char* value;
        int32_t expected;
    } cases[] = {
        {"-7", -7}, {"+7", 7}, {"7.9", 7}, {"abc", 0}, {"", 0}, {"12px", 12}, {"0x10", 0}, {"  42  ", 42},
        {"007", 7}, {"- 5", 0}, {"--5", 0},
        {"2147483647", INT32_MAX}, {"2147483648", INT32_MAX}, {"99999999999999999999", INT32_MAX},
        {"-2147483648", INT32_MIN}, {"-2147483649", INT32_MIN}, {"-99999999999999999999", INT32_MIN},
    };
    for (const auto& c : cases) {
        PrefsFile prefs;
        writeBytes(path(), std::string("X = ") + c.value + "\n");
        ASSERT_TRUE(prefs.open(path()));
        EXPECT_EQ(prefs.readInt("X", 99), c.expected) << "X = " << c.value;
        EXPECT_EQ(prefs.readInt("Y", 99), 99);
    }
}

TEST_F(PrefsFileTest, ReadStringTrimsBlanksAndKeepsTheDefaultUnchanged) {
    writeBytes(path(), "  Rahmen\t=\t0  \nName = \t a b \t\n");
    PrefsFile prefs;
    ASSERT_TRUE(prefs.open(path()));
    EXPECT_EQ(prefs.readString("Rahmen", "d"), "0");
    EXPECT_EQ(prefs.readInt("Rahmen", 5), 0);
    EXPECT_EQ(prefs.readString("Name", "d"), "a b");
    EXPECT_EQ(prefs.readString("Fehlt", "  d  "), "  d  ");
}

TEST_F(PrefsFileTest, NamesMatchIgnoringOnlyAsciiCase) {
    const std::string after = edited("itemgrösse = 40\nÄ = 1\n[Gruppe]\n", [](PrefsFile& p) {
        EXPECT_EQ(p.readInt("ITEMGRÖSSE", -1), -1);  // Ö is not ö
        EXPECT_EQ(p.readInt("ITEMGRöSSE", -1), 40);
        EXPECT_EQ(p.readInt("ä", -1), -1);
        EXPECT_TRUE(p.selectGroup("gRUPPE"));
        EXPECT_EQ(p.groupName(), "Gruppe");
        p.selectGroup("");
        p.writeInt("Itemgrösse", 40);  // the stored key takes the caller's spelling
    });
    EXPECT_EQ(after, lines({"Itemgrösse = 40", "Ä = 1", "[Gruppe]"}));
}

TEST_F(PrefsFileTest, FirstOfDuplicateKeysWins) {
    const std::string after = edited("[0]\nName = a\nName = b\n", [](PrefsFile& p) {
        ASSERT_TRUE(p.selectGroup("0"));
        EXPECT_EQ(p.readString("Name", ""), "a");
        p.writeString("Name", "c");
    });
    EXPECT_EQ(after, lines({"[0]", "Name = c", "Name = b"}));
}

TEST_F(PrefsFileTest, KeysAreLookedUpInTheCurrentSectionOnly) {
    writeBytes(path(), "A = global\n; A = comment\n[0]\nB = zero\n[1]\nA = one\n");
    PrefsFile prefs;
    ASSERT_TRUE(prefs.open(path()));
    EXPECT_EQ(prefs.readString("A", "-"), "global");
    EXPECT_EQ(prefs.readString("B", "-"), "-");
    ASSERT_TRUE(prefs.selectGroup("0"));
    EXPECT_EQ(prefs.readString("A", "-"), "-");
    EXPECT_EQ(prefs.readString("B", "-"), "zero");
    ASSERT_TRUE(prefs.selectGroup("1"));
    EXPECT_EQ(prefs.readString("A", "-"), "one");
    EXPECT_FALSE(prefs.selectGroup("0 "));
    EXPECT_EQ(prefs.readString("A", "-"), "-");  // pending: nothing is found
}

TEST_F(PrefsFileTest, NewKeysGoToTheEndOfTheCurrentSection) {
    const struct {
        const char* what;
        std::string before;
        const char* group;
        std::string after;
    } cases[] = {
        {"global, file starts with a group", "[0]\nP = a\n", "", lines({"G1 = 1", "G2 = 2", "[0]", "P = a"})},
        {"global, after the last global entry", "; note\nX = 1\n[0]\n", "",
         lines({"; note", "X = 1", "G1 = 1", "G2 = 2", "[0]"})},
        {"global, comment last", "X = 1\n; tail\n[0]\n", "", lines({"X = 1", "; tail", "G1 = 1", "G2 = 2", "[0]"})},
        {"empty file", "", "", lines({"G1 = 1", "G2 = 2"})},
        {"group in the middle, after its comment", "[0]\nP = a\n; c\n[1]\n", "0",
         lines({"[0]", "P = a", "; c", "G1 = 1", "G2 = 2", "[1]"})},
        {"last group", "[0]\n[1]\nP = a\n", "1", lines({"[0]", "[1]", "P = a", "G1 = 1", "G2 = 2"})},
        {"unknown group is appended", "A = 1\n[0]\nP = a\n", "5",
         lines({"A = 1", "[0]", "P = a", "[5]", "G1 = 1", "G2 = 2"})},
    };
    for (const auto& c : cases) {
        const std::string after = edited(c.before, [&](PrefsFile& p) {
            p.selectGroup(c.group);
            p.writeInt("G1", 1);
            p.writeString("G2", "2");
        });
        EXPECT_EQ(after, c.after) << c.what;
    }
}

TEST_F(PrefsFileTest, PendingGroup) {
    const std::string after = edited("[0]\nP = a\n", [](PrefsFile& p) {
        EXPECT_FALSE(p.selectGroup("5"));
        EXPECT_EQ(p.groupName(), "");  // the current group stays as it was
        EXPECT_EQ(p.readInt("P", 3), 3);
        p.writeString("Pfad", "x");
        EXPECT_EQ(p.groupName(), "5");
        EXPECT_TRUE(p.selectGroup("5"));
        EXPECT_FALSE(p.selectGroup("6"));
        EXPECT_TRUE(p.rewindGroups());  // drops the pending name
        p.writeInt("G", 1);
    });
    EXPECT_EQ(after, lines({"G = 1", "[0]", "P = a", "[5]", "Pfad = x"}));
}

TEST_F(PrefsFileTest, WalkingTheGroups) {
    writeBytes(path(), "A = 1\n[0]\n; c\n[ 0 ]\n[zwei]\nK = v\n");
    PrefsFile prefs;
    ASSERT_TRUE(prefs.open(path()));
    std::vector<std::string> names;
    ASSERT_TRUE(prefs.rewindGroups());
    while (prefs.nextGroup()) names.push_back(prefs.groupName());
    EXPECT_EQ(names, (std::vector<std::string>{"0", " 0 ", "zwei"}));
    EXPECT_EQ(prefs.groupName(), "zwei");  // a failed nextGroup stays where it was
    EXPECT_EQ(prefs.readString("K", ""), "v");
    EXPECT_TRUE(prefs.selectGroup("0"));
    EXPECT_TRUE(prefs.nextGroup());
    EXPECT_EQ(prefs.groupName(), " 0 ");
}

TEST_F(PrefsFileTest, RemoveGroup) {
    EXPECT_EQ(edited("[0]\n; c\nPfad = a\n[1]\nPfad = b\n", [](PrefsFile& p) { p.removeGroup("0"); }),
              lines({"[1]", "Pfad = b"}));
    EXPECT_EQ(edited("A = 1\n[0]\n", [](PrefsFile& p) { p.removeGroup("7"); }), "A = 1\n[0]\n");  // nothing matched

    // The way the shortcuts are saved: every group removed, the current one included.
    EXPECT_EQ(edited("A = 1\n[0]\nP = a\n[x]\n[1]\n", [](PrefsFile& p) {
                  p.rewindGroups();
                  while (p.nextGroup()) p.removeGroup(p.groupName());
                  p.writeInt("B", 2);  // the global section is current again
              }),
              lines({"A = 1", "B = 2"}));

    // Removing a group before the current one keeps the current one.
    EXPECT_EQ(edited("[0]\nP = a\n[1]\n[2]\n", [](PrefsFile& p) {
                  ASSERT_TRUE(p.selectGroup("2"));
                  p.removeGroup("0");
                  EXPECT_EQ(p.groupName(), "2");
                  p.writeInt("K", 1);
              }),
              lines({"[1]", "[2]", "K = 1"}));
}

TEST_F(PrefsFileTest, WrittenTextsCannotBreakLines) {
    const std::string after = edited("", [](PrefsFile& p) { p.writeString("Name", "a\r\n[0]\rb"); });
    EXPECT_EQ(after, lines({"Name = a  [0] b"}));
    PrefsFile prefs;
    ASSERT_TRUE(prefs.open(path()));
    EXPECT_FALSE(prefs.selectGroup("0"));
}

TEST_F(PrefsFileTest, NothingHappensWithoutAnOpenFile) {
    PrefsFile prefs;
    EXPECT_FALSE(prefs.selectGroup(""));
    EXPECT_FALSE(prefs.rewindGroups());
    EXPECT_FALSE(prefs.nextGroup());
    EXPECT_EQ(prefs.readInt("X", 4), 4);
    EXPECT_EQ(prefs.readString("X", "d"), "d");
    prefs.writeInt("X", 1);
    prefs.removeGroup("0");
    EXPECT_EQ(prefs.groupName(), "");
    prefs.close();
    prefs.close();
}

TEST_F(PrefsFileTest, MissingFileIsCreatedAtCloseOnlyWhenWritten) {
    PrefsFile prefs;
    EXPECT_FALSE(prefs.open(path()));
    EXPECT_EQ(prefs.readInt("X", 8), 8);
    EXPECT_TRUE(prefs.rewindGroups());  // a missing file still counts as open
    prefs.close();
    EXPECT_FALSE(exists(path()));

    EXPECT_FALSE(prefs.open(path()));
    prefs.writeInt("X", 3);
    prefs.selectGroup("0");
    prefs.writeString("Pfad", "ä");
    prefs.close();
    EXPECT_EQ(readBytes(path()), lines({"X = 3", "[0]", "Pfad = ä"}));  // plain, no byte order mark
}

TEST_F(PrefsFileTest, MissingFolderWritesNothing) {
    const std::string nowhere = folder_.file("nicht-da/Kivolt3.4.prefs");
    PrefsFile prefs;
    EXPECT_FALSE(prefs.open(nowhere));
    prefs.writeInt("X", 1);
    prefs.close();
    EXPECT_FALSE(exists(nowhere));
    EXPECT_TRUE(std::filesystem::is_empty(folder_.path()));
}

TEST_F(PrefsFileTest, AFileThatCannotBeOpenedIsNeitherReadNorWritten) {
#ifdef _WIN32
    GTEST_SKIP() << kNoSymbolicLinks;
#endif
    makeUnopenable(path());
    PrefsFile prefs;
    EXPECT_FALSE(prefs.open(path()));
    EXPECT_EQ(prefs.state(), PrefsFile::State::Unreadable);
    EXPECT_EQ(prefs.readInt("X", 8), 8);
    prefs.writeInt("X", 1);
    EXPECT_FALSE(prefs.close()) << "a write was due and could not be done";
    EXPECT_TRUE(std::filesystem::is_symlink(path()));
    EXPECT_EQ(std::filesystem::read_symlink(path()), "Kivolt3.4.prefs");

    // Without a write there is nothing to report.
    EXPECT_FALSE(prefs.open(path()));
    EXPECT_TRUE(prefs.close());
}

TEST_F(PrefsFileTest, StateSaysWhatOpenFound) {
    PrefsFile prefs;
    EXPECT_EQ(prefs.state(), PrefsFile::State::Missing);
    EXPECT_FALSE(prefs.open(path()));
    EXPECT_EQ(prefs.state(), PrefsFile::State::Missing);
    writeBytes(path(), "");
    EXPECT_TRUE(prefs.open(path()));
    EXPECT_EQ(prefs.state(), PrefsFile::State::Read);
    prefs.close();
    EXPECT_EQ(prefs.state(), PrefsFile::State::Missing) << "nothing is open";
}

TEST_F(PrefsFileTest, AFolderIsNoFile) {
    std::filesystem::create_directory(path());
    PrefsFile prefs;
    EXPECT_FALSE(prefs.open(path()));
    prefs.writeInt("X", 1);
    prefs.close();
    EXPECT_TRUE(std::filesystem::is_directory(path()));
}

TEST_F(PrefsFileTest, CreateTruncatesAndLeavesAnEmptyFile) {
    writeBytes(path(), "A = 1\n");
    PrefsFile prefs;
    ASSERT_TRUE(prefs.create(path()));
    EXPECT_EQ(prefs.readInt("A", 0), 0);
    prefs.close();
    EXPECT_TRUE(exists(path()));
    EXPECT_EQ(readBytes(path()), "");

    ASSERT_TRUE(prefs.create(path()));
    prefs.writeInt("A", 2);
    prefs.close();
    EXPECT_EQ(readBytes(path()), lines({"A = 2"}));

    EXPECT_FALSE(prefs.create(folder_.file("nicht-da/x.prefs")));
    EXPECT_FALSE(prefs.rewindGroups());  // not open
}

TEST_F(PrefsFileTest, OpeningAnotherFileOrDestroyingClosesAndWritesBack) {
    const std::string other = folder_.file("other.prefs");
    writeBytes(path(), "A=1\n");
    writeBytes(other, "B=1\n");
    {
        PrefsFile prefs;
        ASSERT_TRUE(prefs.open(path()));
        prefs.writeInt("A", 2);
        ASSERT_TRUE(prefs.open(other));
        EXPECT_EQ(readBytes(path()), lines({"A = 2"}));
        EXPECT_EQ(prefs.readInt("A", -1), -1);  // nothing of the first file is left
        prefs.writeInt("B", 2);
    }
    EXPECT_EQ(readBytes(other), lines({"B = 2"}));
}

TEST_F(PrefsFileTest, ReadOnlyFileIsNeverWritten) {
    const std::string before = "A=1\n[0]\n";
    writeBytes(path(), before);
    ::chmod(path().c_str(), 0444);
    if (stillWritable(path())) GTEST_SKIP() << kPermissionsIgnored;
    PrefsFile prefs;
    ASSERT_TRUE(prefs.open(path()));
    EXPECT_EQ(prefs.readInt("A", 0), 1);
    prefs.writeInt("A", 2);
    EXPECT_EQ(prefs.readInt("A", 0), 2);  // accepted in memory
    prefs.removeGroup("0");
    prefs.close();
    EXPECT_EQ(readBytes(path()), before);
}

// --- UTF-8 mode ---

TEST_F(PrefsFileTest, Utf8ModeEncodesWhatIsWritten) {
    const std::string after = edited("\xEF\xBB\xBF", [](PrefsFile& p) { p.writeInt("Ausführung", 1); });
    EXPECT_EQ(after, "\xEF\xBB\xBF\r\n" "Ausf\xC3\xBChrung = 1\r\n");
    EXPECT_EQ(edited("\xEF\xBB\xBF", [](PrefsFile&) {}), "\xEF\xBB\xBF");
}

TEST_F(PrefsFileTest, Utf8ModeDecodesWhatIsRead) {
    writeBytes(path(), "\xEF\xBB\xBF" "Gr\xC3\xB6\xC3\x9F" "e = \xC3\xA4 \xE2\x82\xAC \xF0\x9F\x98\x80 x\r\n"
                       "[Gr\xC3\xBC" "n]\nAusf\xC3\xBChrung = 2\n");
    PrefsFile prefs;
    ASSERT_TRUE(prefs.open(path()));
    EXPECT_EQ(prefs.readString("GRößE", ""), "ä ? ? x");  // ASCII case still folds
    EXPECT_EQ(prefs.readString("Größe", "d"), "ä ? ? x");
    EXPECT_TRUE(prefs.selectGroup("grün"));
    EXPECT_EQ(prefs.groupName(), "Grün");
    EXPECT_EQ(prefs.readInt("Ausführung", 0), 2);
    EXPECT_TRUE(prefs.rewindGroups());
    EXPECT_TRUE(prefs.nextGroup());
    EXPECT_EQ(prefs.groupName(), "Grün");
}

TEST_F(PrefsFileTest, MalformedUtf8GivesOneQuestionMarkPerBadByteAndSurvivesARewrite) {
    const struct {
        const char* what;
        std::string stored;
        std::string read;
    } cases[] = {
        {"stray continuation", "a\x80z", "a?z"},
        {"lead byte at the end", "a\xC3", "a?"},
        {"lead byte before ASCII", "\xC3z", "?z"},
        {"overlong", "\xC0\xAF", "??"},
        {"surrogate", "\xED\xA0\x80", "???"},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", "????"},
        {"cut three-byte sequence", "\xE2\x82z", "??z"},
        {"invalid bytes", "\xFE\xFF", "??"},
        {"good after bad", "\xFF\xC3\xA9", "?\xE9"},
    };
    for (const auto& c : cases) {
        const std::string file = "\xEF\xBB\xBF\r\nK = " + c.stored + "\r\nForeign" + c.stored + " = 1\r\n";
        const std::string after = edited(file, [&](PrefsFile& p) {
            EXPECT_EQ(p.readString("K", ""), c.read) << c.what;
            p.writeInt("N", 1);
        });
        EXPECT_EQ(after, file + "N = 1\r\n") << c.what;  // the bad bytes are kept as they were
    }
}

// --- Bad input ---

TEST_F(PrefsFileTest, ZeroBytesAreOrdinaryBytes) {
    const std::string file("A = x\0y\r\nB\0 = 1\r\n", 17);
    const std::string after = edited(file, [](PrefsFile& p) {
        EXPECT_EQ(p.readString("A", ""), std::string("x\0y", 3));
        EXPECT_EQ(p.readInt("B", 5), 5);
        EXPECT_EQ(p.readInt(std::string_view("B\0", 2), 5), 1);
        p.writeInt("C", 1);
    });
    EXPECT_EQ(after, file + "C = 1\r\n");
}

TEST_F(PrefsFileTest, TenMegabyteLine) {
    const std::string big(10 * 1024 * 1024, 'v');
    const std::string file = "Pfad = " + big + "\r\n";
    const std::string after = edited(file, [&](PrefsFile& p) {
        EXPECT_EQ(p.readString("Pfad", ""), big);
        EXPECT_EQ(p.readInt("Pfad", 7), 0);
        p.writeInt("X", 1);
    });
    EXPECT_EQ(after, file + "X = 1\r\n");
}

TEST_F(PrefsFileTest, ThousandsOfGroups) {
    constexpr int kGroups = 2000;
    std::string file = "X = 1\n";
    for (int i = 0; i < kGroups; ++i) file += "[" + std::to_string(i) + "]\nPfad = " + std::to_string(i) + "\n";
    writeBytes(path(), file);
    PrefsFile prefs;
    ASSERT_TRUE(prefs.open(path()));
    int count = 0;
    while (prefs.nextGroup()) ++count;
    EXPECT_EQ(count, kGroups);
    ASSERT_TRUE(prefs.selectGroup("1999"));
    EXPECT_EQ(prefs.readInt("Pfad", -1), 1999);

    prefs.rewindGroups();
    while (prefs.nextGroup()) prefs.removeGroup(prefs.groupName());
    for (int i = 0; i < kGroups; ++i) {
        prefs.selectGroup(std::to_string(i));
        prefs.writeInt("Pfad", i);
    }
    prefs.close();
    EXPECT_EQ(readBytes(path()), PrefsFile::serialise(PrefsFile::parse(file), false));
}

// --- Crash-safe rewrite ---

TEST_F(PrefsFileTest, RewriteOverALeftOverTemporaryLeavesNone) {
    writeBytes(path() + ".tmp", "left over from a crash");
    EXPECT_EQ(edited("A=1\n", [](PrefsFile& p) { p.writeInt("A", 2); }), lines({"A = 2"}));
    EXPECT_FALSE(exists(path() + ".tmp"));
}

TEST_F(PrefsFileTest, RewriteKeepsPermissionBits) {
#ifdef _WIN32
    GTEST_SKIP() << "no POSIX permission bits on Windows";
#endif
    writeBytes(path(), "A=1\n");
    ::chmod(path().c_str(), 0600);
    EXPECT_EQ(edited("A=1\n", [](PrefsFile& p) { p.writeInt("A", 2); }), lines({"A = 2"}));
    struct stat info {};
    ASSERT_EQ(::stat(path().c_str(), &info), 0);
    EXPECT_EQ(static_cast<unsigned>(info.st_mode & 0777), 0600u);
}

TEST_F(PrefsFileTest, FailedRewriteKeepsTheOldFileAndSaysSo) {
    const std::string before = "A=1\n[0]\nPfad = a\n";
    writeBytes(path(), before);
    std::filesystem::create_directory(path() + ".tmp");  // squats on the temporary's name
    PrefsFile prefs;
    ASSERT_TRUE(prefs.open(path()));
    prefs.writeInt("A", 2);
    EXPECT_FALSE(prefs.close());
    EXPECT_EQ(readBytes(path()), before);
    EXPECT_TRUE(std::filesystem::is_directory(path() + ".tmp"));
}

TEST_F(PrefsFileTest, RewriteThroughALinkReplacesTheFileItLeadsTo) {
#ifdef _WIN32
    GTEST_SKIP() << kNoSymbolicLinks;
#endif
    std::filesystem::create_directory(folder_.file("sync"));
    const std::string target = folder_.file("sync/Kivolt3.4.prefs");
    writeBytes(target, "A=1\n");
    std::filesystem::create_symlink(target, path());
    PrefsFile prefs;
    ASSERT_TRUE(prefs.open(path()));
    prefs.writeInt("A", 2);
    EXPECT_TRUE(prefs.close());
    EXPECT_TRUE(std::filesystem::is_symlink(path()));
    EXPECT_EQ(readBytes(target), lines({"A = 2"}));
    EXPECT_FALSE(exists(target + ".tmp"));
    EXPECT_FALSE(exists(path() + ".tmp"));
}

TEST_F(PrefsFileTest, FailedRewriteInAReadOnlyFolderKeepsTheOldFile) {
    const std::string before = "A=1\n";
    writeBytes(path(), before);
    ::chmod(folder_.path().c_str(), 0555);
    if (stillWritable(folder_.path())) GTEST_SKIP() << kPermissionsIgnored;
    PrefsFile prefs;
    ASSERT_TRUE(prefs.open(path()));
    prefs.writeInt("A", 2);
    prefs.close();
    EXPECT_EQ(readBytes(path()), before);
    EXPECT_FALSE(exists(path() + ".tmp"));
}

TEST_F(PrefsFileTest, StorageDoesNotReplaceAFileItMayNotWrite) {
    writeBytes(path(), "A=1\n");
    ::chmod(path().c_str(), 0444);
    if (stillWritable(path())) GTEST_SKIP() << kPermissionsIgnored;
    PrefsStorage storage;
    EXPECT_FALSE(storage.replace(path(), "B = 2\r\n"));
    EXPECT_EQ(readBytes(path()), "A=1\n");
    EXPECT_FALSE(exists(path() + ".tmp"));
}

}  // namespace
}  // namespace kivolt
