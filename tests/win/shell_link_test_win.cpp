#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstdint>

#include "base/com_ptr_win.h"
#include "base/wide_text_win.h"
#include "settings/autostart_link_win.h"
#include "shell/link_reader_win.h"
#include "temp_folder_win.h"

namespace kivolt {
namespace {

using test::folderOf;
using test::TempFolder;

// A link file as the shell's link object reads it back through IShellLinkW.
struct SavedLink {
    std::wstring path;
    std::wstring workingDir;
    std::wstring arguments;
    std::wstring description;
    std::wstring iconPath;
    int iconIndex = -1;
    int showCmd = -1;
    WORD hotkey = 0xFFFF;
};

std::optional<SavedLink> readLinkW(const std::string& linkPath) {
    ComScope com;
    ComPtr<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.putVoid())))
        return std::nullopt;
    ComPtr<IPersistFile> file;
    if (FAILED(link.query(IID_IPersistFile, file)) || FAILED(file->Load(wideFromAnsi(linkPath).c_str(), STGM_READ)))
        return std::nullopt;
    wchar_t text[5][1024] = {};
    SavedLink saved;
    link->GetPath(text[0], 1024, nullptr, 0);
    link->GetWorkingDirectory(text[1], 1024);
    link->GetArguments(text[2], 1024);
    link->GetDescription(text[3], 1024);
    link->GetIconLocation(text[4], 1024, &saved.iconIndex);
    link->GetShowCmd(&saved.showCmd);
    link->GetHotkey(&saved.hotkey);
    saved.path = text[0];
    saved.workingDir = text[1];
    saved.arguments = text[2];
    saved.description = text[3];
    saved.iconPath = text[4];
    return saved;
}

std::wstring wide(const std::string& text) { return wideFromAnsi(text); }

// The show command field of a link file's header (offset 0x3C of the binary format).
std::uint32_t headerShowCommand(const std::string& linkPath) {
    const std::string bytes = test::readFileBytes(linkPath);
    if (bytes.size() < 0x40) return 0xFFFFFFFF;
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[0x3C + i]);
    return value;
}

ShellLink linkTo(const std::string& target, const std::string& linkPath, const std::string& arguments, int showCmd) {
    return {.target = target, .linkPath = linkPath, .workingDir = "", .arguments = arguments,
            .showCmd = showCmd, .description = "", .hotkey = 0, .iconPath = "|", .iconIndex = 0};
}

// Wine 8's link object writes the show command into the file but reads every link back
// as SW_SHOWNORMAL.
bool linkObjectReadsShowCommand(const TempFolder& temp) {
    const std::string linkPath = temp.file("show-probe.lnk");
    createShellLink(linkTo("C:\\windows\\notepad.exe", linkPath, "", SW_SHOWMAXIMIZED));
    std::optional<SavedLink> saved = readLinkW(linkPath);
    DeleteFileA(linkPath.c_str());
    return saved && saved->showCmd == SW_SHOWMAXIMIZED;
}

TEST(CreateShellLinkTest, WritesEveryFieldAsGiven) {
    TempFolder temp;
    const std::string linkPath = temp.file("Werkzeug \xE4.lnk");
    ASSERT_TRUE(createShellLink({.target = test::ownExecutablePath(),
                                 .linkPath = linkPath,
                                 .workingDir = "C:\\windows",
                                 .arguments = "-a \"b c\"",
                                 .showCmd = SW_SHOWMAXIMIZED,
                                 .description = "Beschreibung",
                                 .hotkey = MAKEWORD('K', HOTKEYF_CONTROL | HOTKEYF_ALT),
                                 .iconPath = "C:\\windows\\system32\\shell32.dll",
                                 .iconIndex = 3}));
    std::optional<SavedLink> saved = readLinkW(linkPath);
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->path, wide(test::ownExecutablePath()));
    EXPECT_EQ(saved->workingDir, L"C:\\windows");
    EXPECT_EQ(saved->arguments, L"-a \"b c\"");
    EXPECT_EQ(saved->description, L"Beschreibung");
    EXPECT_EQ(saved->iconPath, L"C:\\windows\\system32\\shell32.dll");
    EXPECT_EQ(saved->iconIndex, 3);
    EXPECT_EQ(headerShowCommand(linkPath), static_cast<std::uint32_t>(SW_SHOWMAXIMIZED));
    EXPECT_EQ(saved->hotkey, MAKEWORD('K', HOTKEYF_CONTROL | HOTKEYF_ALT));
}

TEST(CreateShellLinkTest, EmptyWorkingFolderAndBarIconComeFromTheTarget) {
    TempFolder temp;
    const std::string linkPath = temp.file("own.lnk");
    ASSERT_TRUE(createShellLink(linkTo(test::ownExecutablePath(), linkPath, "", SW_SHOWNORMAL)));
    std::optional<SavedLink> saved = readLinkW(linkPath);
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->workingDir, wide(folderOf(test::ownExecutablePath())));  // with its trailing backslash
    EXPECT_EQ(saved->iconPath, wide(test::ownExecutablePath()));
    EXPECT_EQ(saved->iconIndex, 0);
}

class AutostartLinkTest : public ::testing::Test {
protected:
    std::string link() const { return temp_.file("Kivolt3.lnk"); }
    TempFolder temp_;
};

TEST_F(AutostartLinkTest, OnWritesOneLinkToThisProgramEveryTime) {
    updateAutostartLinkIn(temp_.path(), 1);
    updateAutostartLinkIn(temp_.path(), 1);
    EXPECT_EQ(temp_.listing(), "Kivolt3.lnk");
    std::optional<SavedLink> saved = readLinkW(link());
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->path, wide(test::ownExecutablePath()));
    EXPECT_EQ(saved->workingDir, wide(folderOf(test::ownExecutablePath())));
    EXPECT_EQ(saved->iconPath, wide(test::ownExecutablePath()));
    EXPECT_EQ(saved->iconIndex, 0);
    EXPECT_EQ(headerShowCommand(link()), static_cast<std::uint32_t>(SW_SHOWNORMAL));
    EXPECT_EQ(saved->arguments, L"");
    EXPECT_EQ(saved->description, L"");
    EXPECT_EQ(saved->hotkey, 0);
}

TEST_F(AutostartLinkTest, OffDeletesTheLinkAndIsQuietWithoutOne) {
    updateAutostartLinkIn(temp_.path(), 0);  // no link: nothing happens
    EXPECT_EQ(temp_.listing(), "");
    updateAutostartLinkIn(temp_.path(), 1);
    ASSERT_EQ(temp_.listing(), "Kivolt3.lnk");
    updateAutostartLinkIn(temp_.path(), 2);  // any value but 1 means off
    EXPECT_EQ(temp_.listing(), "");
}

TEST(AutostartStartupFolderTest, LinkGoesIntoTheUsersStartupFolder) {
    const std::string startup = specialFolderPath(CSIDL_STARTUP);
    ASSERT_FALSE(startup.empty());
    EXPECT_EQ(startup.back(), '\\');
    CreateDirectoryA(startup.c_str(), nullptr);
    const std::string link = startup + "Kivolt3.lnk";
    if (test::fileExists(link)) GTEST_SKIP() << "an autostart link exists already: " << link;

    updateAutostartLink(1);
    std::optional<SavedLink> saved = readLinkW(link);
    updateAutostartLink(0);
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->path, wide(test::ownExecutablePath()));
    EXPECT_FALSE(test::fileExists(link));
}

class ResolveLinkTest : public ::testing::Test {
protected:
    void SetUp() override { test::writeFileBytes(target_, "MZ"); }
    TempFolder temp_;
    std::string target_ = temp_.file("Editor \xE4.exe");
};

TEST_F(ResolveLinkTest, ReadsTargetAndArguments) {
    const std::string linkPath = temp_.file("editor.lnk");
    ASSERT_TRUE(createShellLink(linkTo(target_, linkPath, "/p \"x y.txt\"", SW_SHOWNORMAL)));
    std::optional<LinkInfo> info = resolveLink(linkPath);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->targetPath, target_);
    EXPECT_EQ(info->arguments, "/p \"x y.txt\"");
    EXPECT_EQ(info->showCommand, SW_SHOWNORMAL);
}

// Arguments beyond MAX_PATH, and beyond the INFOTIPSIZE (1024) that the ANSI interface gives,
// come back whole.
TEST_F(ResolveLinkTest, ReadsLongArgumentsWhole) {
    for (std::size_t length : {259u, 260u, 261u, 1023u, 1024u, 1025u, 5000u}) {
        std::string arguments = "/\xE4";
        while (arguments.size() < length) arguments += " -" + std::to_string(arguments.size());
        arguments.resize(length);
        const std::string linkPath = temp_.file("long" + std::to_string(length) + ".lnk");
        ASSERT_TRUE(createShellLink(linkTo(target_, linkPath, arguments, SW_SHOWNORMAL)));
        std::optional<LinkInfo> info = resolveLink(linkPath);
        ASSERT_TRUE(info) << length;
        EXPECT_EQ(info->arguments, arguments) << length;
    }
}

TEST_F(ResolveLinkTest, MinimisedWithoutActivationReadsAsMinimised) {
    if (!linkObjectReadsShowCommand(temp_))
        GTEST_SKIP() << "this platform's link object reads every show command back as SW_SHOWNORMAL";
    const std::pair<int, int> cases[] = {
        {SW_SHOWMAXIMIZED, SW_SHOWMAXIMIZED},
        {SW_SHOWMINNOACTIVE, SW_SHOWMINIMIZED},
        {SW_SHOWMINIMIZED, SW_SHOWMINIMIZED},
    };
    for (auto [saved, expected] : cases) {
        const std::string linkPath = temp_.file("editor" + std::to_string(saved) + ".lnk");
        ASSERT_TRUE(createShellLink(linkTo(target_, linkPath, "", saved)));
        std::optional<LinkInfo> info = resolveLink(linkPath);
        ASSERT_TRUE(info) << saved;
        EXPECT_EQ(info->showCommand, expected) << saved;
    }
}

TEST_F(ResolveLinkTest, UnreadableLinksGiveNothing) {
    test::writeFileBytes(temp_.file("garbage.lnk"), std::string("L\0\0\0not a link at all", 21));
    test::writeFileBytes(temp_.file("empty.lnk"), "");
    for (const char* name : {"garbage.lnk", "empty.lnk", "missing.lnk"})
        EXPECT_FALSE(resolveLink(temp_.file(name))) << name;
}

}  // namespace
}  // namespace kivolt
