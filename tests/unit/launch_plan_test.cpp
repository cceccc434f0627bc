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

TEST(LaunchPlanTest, ShowCommandIsRunModePlusOneOrNormal) {
    const std::pair<int, int> cases[] = {
        {0, 1}, {1, 2}, {2, 3},  // the three run modes
        {-1, 1},                 // nothing chosen in the properties dialog, or a link's SW_HIDE: never hidden
        {3, 1}, {10, 1},         // another show command carried over from a link
        {11, 1}, {-2, 1}, {INT_MAX, 1}, {INT_MIN, 1},  // hand-edited garbage
    };
    for (auto [runMode, expected] : cases) EXPECT_EQ(showCommandFor(runMode), expected) << runMode;
}

TEST(LaunchPlanTest, ExecutableLaunchCarriesVerbParametersAndShowCommand) {
    ShellLaunch plain = executableLaunch(shortcut("C:\\Tools\\app.exe", 2, 0, "-x \"a b\""));
    EXPECT_EQ(plain.verb, "");
    EXPECT_EQ(plain.file, "C:\\Tools\\app.exe");
    EXPECT_EQ(plain.parameters, "-x \"a b\"");
    EXPECT_EQ(plain.showCommand, 3);

    ShellLaunch elevated = executableLaunch(shortcut("C:\\Tools\\Setup.EXE", 0, 1));
    EXPECT_EQ(elevated.verb, "runas");
    EXPECT_EQ(elevated.showCommand, 1);

    EXPECT_EQ(executableLaunch(shortcut("C:\\Tools\\app.exe", -1)).showCommand, 1);
}

TEST(LaunchPlanTest, ExecutableStartsInTheFolderThatHoldsIt) {
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\Program Files\\Tool\\app.exe", "C:\\Program Files\\Tool\\"},
        {"C:\\app.exe", "C:\\"},
        {"C:/Games/run.exe", "C:/Games/"},
        {"\\\\server\\share\\app.exe", "\\\\server\\share\\"},
        {"\\Tools\\app.exe", "\\Tools\\"},  // the current drive's root
        // Relative paths keep the launcher's folder, which they are relative to.
        {"Tools\\app.exe", ""},
        {"app.exe", ""},
        {"C:app.exe", ""},
        {"", ""},
    };
    for (auto [path, folder] : cases) EXPECT_EQ(executableLaunch(shortcut(path)).folder, folder) << path;
}

TEST(LaunchPlanTest, EverythingElseOpensWithTheDefaultVerbInItsOwnFolder) {
    struct Case {
        const char* path;
        bool isFolder;
        const char* file;
        const char* folder;
    };
    const Case cases[] = {
        {"C:\\Docs\\brief.doc", false, "C:\\Docs\\brief.doc", "C:\\Docs\\"},
        {"C:\\Tools\\run.bat", false, "C:\\Tools\\run.bat", "C:\\Tools\\"},
        {"C:\\Tools\\Schoner.scr", false, "C:\\Tools\\Schoner.scr", "C:\\Tools\\"},
        {"C:\\Tools\\app.exe ", false, "C:\\Tools\\app.exe ", "C:\\Tools\\"},
        {"\"C:\\My Docs\\a.txt\"", false, "C:\\My Docs\\a.txt", "C:\\My Docs\\"},  // quotes removed
        {"brief.doc", false, "brief.doc", ""},
        {"Docs\\brief.doc", false, "Docs\\brief.doc", ""},
        // A folder opens as itself, with one backslash, and is its own working folder.
        {"D:\\Data\\Fotos", true, "D:\\Data\\Fotos\\", "D:\\Data\\Fotos\\"},
        {"D:\\Data\\Fotos\\", true, "D:\\Data\\Fotos\\", "D:\\Data\\Fotos\\"},
        {"C:\\", true, "C:\\", "C:\\"},
        {"C:", true, "C:\\", "C:\\"},
        {"Fotos", true, "Fotos\\", ""},
        {"", false, "", ""},
    };
    for (const Case& c : cases) {
        ShellLaunch launch = documentLaunch(c.path, c.isFolder);
        EXPECT_EQ(launch.verb, "") << c.path;
        EXPECT_EQ(launch.file, c.file) << c.path;
        EXPECT_EQ(launch.parameters, "") << c.path;
        EXPECT_EQ(launch.folder, c.folder) << c.path;
        EXPECT_EQ(launch.showCommand, 1) << c.path;
    }
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
        const char* folder;  // "": none
    };
    const Case cases[] = {
        {"C:\\Docs\\brief.doc", "C:\\Docs\\brief.doc", "C:\\Docs\\"},
        {"D:\\Data\\Fotos\\", "D:\\Data\\Fotos\\", "D:\\Data\\Fotos\\"},  // its own working folder
        {"C:\\", "C:\\", "C:\\"},
        {"\"C:\\My Docs\\a.txt\"", "C:\\My Docs\\a.txt", "C:\\My Docs\\"},
        {"brief.doc", "brief.doc", ""},
        {"\\brief.doc", "\\brief.doc", ""},  // the first character is not examined
        {"C:/Docs/brief.doc", "C:/Docs/brief.doc", ""},  // only backslashes count
        {"", "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(runFileShellFile(c.target), c.file) << c.target;
        EXPECT_EQ(runFileWorkingFolder(runFileShellFile(c.target)), c.folder) << c.target;
    }
}

}  // namespace
}  // namespace kivolt
