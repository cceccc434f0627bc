#include "settings/shell_link_rules.h"

#include <gtest/gtest.h>

namespace kivolt {
namespace {

TEST(ShellLinkRulesTest, IconPathBarMeansTarget) {
    EXPECT_EQ(linkIconPath("|", "C:\\Tools\\app.exe"), "C:\\Tools\\app.exe");
    EXPECT_EQ(linkIconPath("C:\\icons.dll", "C:\\Tools\\app.exe"), "C:\\icons.dll");
    EXPECT_EQ(linkIconPath("", "C:\\Tools\\app.exe"), "");
}

TEST(ShellLinkRulesTest, EmptyWorkingFolderIsTheTargetsFolder) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"", "C:\\Program Files\\Kivolt\\kivolt.exe", "C:\\Program Files\\Kivolt\\"},
        {"", "\"C:\\Tools\\app.exe\"", "C:\\Tools\\"},  // leading quote skipped
        {"", "C:/Tools/app.exe", "C:/Tools/"},
        {"", "C:\\Tools\\app.exe|D:\\x\\y", "C:\\Tools\\"},  // the scan stops at "|"
        {"", "app.exe", ""},
        {"", "", ""},
        {"D:\\Work", "C:\\Tools\\app.exe", "D:\\Work"},  // a given folder is used unchanged
    };
    for (auto [workingDir, target, expected] : cases)
        EXPECT_EQ(linkWorkingFolder(workingDir, target), expected) << target;
}

}  // namespace
}  // namespace kivolt
