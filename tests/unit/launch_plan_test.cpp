#include "shell/launch_plan.h"

#include <gtest/gtest.h>

#include <climits>

namespace kivolt {
namespace {

Shortcut shortcut(std::string path, int runMode = 0, int runAsAdmin = 0, std::string parameters = "") {
    Shortcut s;
    s.path = std::move(path);
    s.runMode = runMode;
    s.runAsAdmin = runAsAdmin;
    s.parameters = std::move(parameters);
    return s;
}

TEST(LaunchPlanTest, ShowCommandIsRunModePlusOne) {
    const std::pair<int, int> cases[] = {
        {0, 1}, {1, 2}, {2, 3},  // the three run modes
        {-1, 0}, {10, 11},       // carried over from a link's show command
        {11, 1}, {-2, 1}, {INT_MAX, 1}, {INT_MIN, 1},  // hand-edited garbage: normal window
    };
    for (auto [runMode, expected] : cases) EXPECT_EQ(showCommandFor(runMode), expected) << runMode;
}

TEST(LaunchPlanTest, ExecutableLaunchCarriesVerbParametersAndShowCommand) {
    ExecutableLaunch plain = executableLaunch(shortcut("C:\\Tools\\app.exe", 2, 0, "-x \"a b\""));
    EXPECT_EQ(plain.verb, "");
    EXPECT_EQ(plain.file, "C:\\Tools\\app.exe");
    EXPECT_EQ(plain.parameters, "-x \"a b\"");
    EXPECT_EQ(plain.showCommand, 3);

    ExecutableLaunch elevated = executableLaunch(shortcut("C:\\Tools\\Setup.EXE", 0, 1));
    EXPECT_EQ(elevated.verb, "runas");
    EXPECT_EQ(elevated.showCommand, 1);
}

TEST(LaunchPlanTest, RunFileTargetAppendsBackslashOnlyToFolders) {
    EXPECT_EQ(runFileTarget("D:\\Data\\Fotos", true), "D:\\Data\\Fotos\\");
    EXPECT_EQ(runFileTarget("C:\\Docs\\brief.doc", false), "C:\\Docs\\brief.doc");
    EXPECT_EQ(runFileTarget("C:\\Tools\\run.bat", false), "C:\\Tools\\run.bat");
}

TEST(LaunchPlanTest, ContainingFolder) {
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\Tools\\app.exe", "C:\\Tools\\"},
        {"D:\\Data\\Fotos", "D:\\Data\\"},  // a folder gives its parent
        {"C:\\", "C:\\"},                   // the drive root is its own folder
        {"C:/Tools/app.exe", "C:/Tools/"},
        {"app.exe", ""},  // a bare file name has no folder
        {"", ""},
        {"\"C:\\Tools\\app.exe\"", "\"C:\\Tools\\"},  // quoted: cut at the separator, not mid-name
    };
    for (auto [path, expected] : cases) EXPECT_EQ(containingFolder(path), expected) << path;
}

TEST(LaunchPlanTest, RunFileCommandLineQuotesOnce) {
    EXPECT_EQ(runFileCommandLine("C:\\My Docs\\a.txt"), "\"C:\\My Docs\\a.txt\"");
    EXPECT_EQ(runFileCommandLine("\"C:\\My Docs\\a.txt\""), "\"C:\\My Docs\\a.txt\"");
    EXPECT_EQ(runFileCommandLine(""), "\"\"");
}

TEST(LaunchPlanTest, RunFileShellFileAndWorkingFolder) {
    struct Case {
        const char* target;
        const char* file;
        const char* folder;  // nullptr: none
    };
    const Case cases[] = {
        {"C:\\Docs\\brief.doc", "C:\\Docs\\brief.doc", "C:\\Docs\\"},
        {"D:\\Data\\Fotos\\", "D:\\Data\\Fotos\\", "D:\\Data\\Fotos\\"},  // its own working folder
        {"C:\\", "C:\\", "C:\\"},
        {"\"C:\\My Docs\\a.txt\"", "C:\\My Docs\\a.txt", "C:\\My Docs\\"},
        {"brief.doc", "brief.doc", nullptr},
        {"\\brief.doc", "\\brief.doc", nullptr},  // the first character is not examined
        {"C:/Docs/brief.doc", "C:/Docs/brief.doc", nullptr},  // only backslashes count
        {"", "", nullptr},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(runFileShellFile(c.target), c.file) << c.target;
        std::optional<std::string> folder = runFileWorkingFolder(runFileShellFile(c.target));
        if (c.folder) {
            EXPECT_EQ(folder, std::optional<std::string>(c.folder)) << c.target;
        } else {
            EXPECT_FALSE(folder) << c.target;
        }
    }
}

}  // namespace
}  // namespace kivolt
