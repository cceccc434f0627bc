#include "base/text.h"

#include <gtest/gtest.h>

namespace kivolt {
namespace {

struct PathCase {
    const char* path;
    const char* filePart;
    const char* extension;
};

TEST(TextTest, FilePartAndExtension) {
    const PathCase cases[] = {
        {"C:\\Tools\\Editor\\editor.exe", "editor.exe", "exe"},
        {"D:\\Fotos", "Fotos", ""},
        {"D:\\", "", ""},
        {"C:\\Tools\\", "", ""},
        {"notes.txt", "notes.txt", "txt"},
        {"C:/mixed\\dirs/app.tar.gz", "app.tar.gz", "gz"},
        {"\"C:\\Program Files\\app.exe\" -x", "app.exe", "exe"},
        {"\"plain.lnk\"", "plain.lnk", "lnk"},
        {"C:\\dir.d\\file", "file", ""},
        {"C:\\a\\.hidden", ".hidden", "hidden"},
        {"C:\\a\\trailing.", "trailing.", ""},
        {"", "", ""},
        {"\"", "", ""},
    };
    for (const PathCase& c : cases) {
        EXPECT_EQ(filePart(c.path), c.filePart) << c.path;
        EXPECT_EQ(extensionPart(c.path), c.extension) << c.path;
    }
}

TEST(TextTest, IsExecutablePathComparesTheLastFourUpperCased) {
    EXPECT_TRUE(isExecutablePath("C:\\Tools\\Editor.exe"));
    EXPECT_TRUE(isExecutablePath("setup.Exe"));
    EXPECT_TRUE(isExecutablePath(".EXE"));
    EXPECT_FALSE(isExecutablePath("EXE"));
    EXPECT_FALSE(isExecutablePath("tool.exe.bak"));
    EXPECT_FALSE(isExecutablePath("C:\\Tools\\exe"));
    EXPECT_FALSE(isExecutablePath(""));
    EXPECT_FALSE(isExecutablePath("\"app.exe\""));
}

// The table must equal CharUpperA under code page 1252 byte for byte.
TEST(TextTest, UpperCaseCp1252Table) {
    for (int c = 0; c < 256; ++c) {
        int expected = c;
        if (c >= 'a' && c <= 'z') expected = c - 0x20;
        if (c >= 0xE0 && c <= 0xFE && c != 0xF7) expected = c - 0x20;
        if (c == 0x9A || c == 0x9C || c == 0x9E) expected = c - 0x10;
        if (c == 0xFF) expected = 0x9F;
        EXPECT_EQ(upperCaseCp1252(static_cast<unsigned char>(c)), expected) << "byte " << c;
    }
    EXPECT_EQ(upperCaseCp1252(0xDF), 0xDF);  // ß has no single-byte capital
    EXPECT_EQ(upperCaseCp1252(0xF7), 0xF7);
}

TEST(TextTest, UpperCaseConvertsEveryByte) {
    EXPECT_EQ(upperCase("Itemgrösse ÿ"), "ITEMGRÖSSE Ÿ");
    EXPECT_EQ(upperCase(std::string_view("a\0b", 3)), std::string("A\0B", 3));
}

}  // namespace
}  // namespace kivolt
