#include "shell/running_programs.h"

#include <gtest/gtest.h>

#include "base/text.h"

namespace kivolt {
namespace {

TEST(RunningProgramsTest, MatchesFileNameIgnoringFolderAndCase) {
    const RunningPrograms running({"editor.exe", "C:\\Windows\\explorer.exe", "Fotos", "\xE9t\xE9.exe"});
    struct Case {
        const char* shortcutPath;
        bool expected;
    };
    const Case cases[] = {
        {"C:\\Programme\\Editor\\EDITOR.EXE", true},
        {"D:\\Other\\editor.exe", true},  // same name in another folder
        {"explorer.exe", true},           // a full szExeFile is cut to its file part
        {"C:\\Windows\\EXPLORER.EXE", true},
        {"D:\\Data\\Fotos", true},    // a folder named like a process
        {"D:\\Data\\Fotos\\", false},  // empty file part: never marked
        {"C:\\Docs\\brief.doc", false},
        {"C:\\x\\\xC9T\xC9.EXE", true},  // code page 1252 upper-casing on both sides
        {"editor", false},
        {"", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(running.isProgramRunning(filePart(c.shortcutPath)), c.expected) << c.shortcutPath;
}

TEST(RunningProgramsTest, NothingRunsInAnEmptySnapshot) {
    EXPECT_FALSE(RunningPrograms().isProgramRunning("editor.exe"));
    // A process entry without a name does not mark Shortcuts with an empty file part.
    EXPECT_FALSE(RunningPrograms({""}).isProgramRunning(""));
}

}  // namespace
}  // namespace kivolt
