// The prefs file on a real Win32 file system: share modes, read-only files, the crash-safe
// rewrite and the first-run creation.
#include <windows.h>

#include <gtest/gtest.h>

#include "settings/prefs_file.h"
#include "settings/prefs_location.h"
#include "settings/prefs_location_win.h"
#include "temp_folder_win.h"

namespace kivolt {
namespace {

using test::fileExists;
using test::readFileBytes;
using test::TempFolder;
using test::writeFileBytes;

const std::string kHandFormatted = "; notes\n  ImVordergrund=1\n\n[0]\nPfad = C:\\a.exe   \n";

struct HandleCloser {
    HANDLE h;
    ~HandleCloser() { CloseHandle(h); }
};

TEST(PrefsFileOnWindows, WritesGoThroughAndLeaveNoTemporaryFile) {
    TempFolder folder;
    const std::string path = folder.file("Kivolt3.4.prefs");
    writeFileBytes(path, kHandFormatted);
    PrefsFile prefs;
    ASSERT_TRUE(prefs.open(path));
    prefs.writeInt("Autostart", 1);
    prefs.close();
    EXPECT_EQ(readFileBytes(path), "; notes\r\nImVordergrund = 1\r\nAutostart = 1\r\n[0]\r\nPfad = C:\\a.exe   \r\n");
    EXPECT_EQ(folder.listing(), "Kivolt3.4.prefs");
}

TEST(PrefsFileOnWindows, ReadOnlyAttributeDropsWrites) {
    TempFolder folder;
    const std::string path = folder.file("ro.prefs");
    writeFileBytes(path, kHandFormatted);
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    PrefsFile prefs;
    ASSERT_TRUE(prefs.open(path));
    EXPECT_EQ(prefs.readInt("ImVordergrund", 7), 1);
    prefs.writeInt("ImVordergrund", 0);
    prefs.close();
    EXPECT_EQ(readFileBytes(path), kHandFormatted);
    EXPECT_EQ(folder.listing(), "ro.prefs");
}

TEST(PrefsFileOnWindows, FileHeldByAnotherHandleIsReadButNotWritten) {
    TempFolder folder;
    const std::string path = folder.file("held.prefs");
    writeFileBytes(path, kHandFormatted);
    struct Holder { DWORD access; DWORD share; } holders[] = {
        {GENERIC_READ, FILE_SHARE_READ},                      // reader that allows no writers
        {GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE},  // another writer
    };
    for (const Holder& holder : holders) {
        HandleCloser other{CreateFileA(path.c_str(), holder.access, holder.share, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr)};
        ASSERT_NE(other.h, INVALID_HANDLE_VALUE);
        PrefsFile prefs;
        ASSERT_TRUE(prefs.open(path));
        EXPECT_EQ(prefs.readInt("ImVordergrund", 7), 1);
        prefs.writeInt("ImVordergrund", 0);
        EXPECT_FALSE(prefs.close()) << "a write that was due is reported as not done";
        EXPECT_EQ(readFileBytes(path), kHandFormatted);
    }
}

TEST(PrefsFileOnWindows, OpenFileIsHeldAgainstOtherWriters) {
    TempFolder folder;
    const std::string path = folder.file("p.prefs");
    writeFileBytes(path, "X = 1\r\n");
    PrefsFile prefs;
    ASSERT_TRUE(prefs.open(path));
    HANDLE writer = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_EQ(writer, INVALID_HANDLE_VALUE);
    if (writer != INVALID_HANDLE_VALUE) CloseHandle(writer);
    HandleCloser reader{CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)};
    EXPECT_NE(reader.h, INVALID_HANDLE_VALUE);
    prefs.close();
}

TEST(PrefsFileOnWindows, MissingFolderCreatesNothing) {
    TempFolder folder;
    const std::string path = folder.file("absent\\Kivolt3.4.prefs");
    PrefsFile prefs;
    EXPECT_FALSE(prefs.open(path));
    EXPECT_EQ(prefs.readInt("X", 5), 5);
    prefs.writeInt("X", 1);
    prefs.close();
    EXPECT_FALSE(fileExists(path));
    EXPECT_EQ(folder.listing(), "");
}

TEST(PrefsFileOnWindows, MissingFileIsCreatedWhenWritten) {
    TempFolder folder;
    const std::string path = folder.file("new.prefs");
    PrefsFile prefs;
    EXPECT_FALSE(prefs.open(path));
    prefs.writeInt("X", 1);
    prefs.close();
    EXPECT_EQ(readFileBytes(path), "X = 1\r\n");
}

TEST(PrefsFileOnWindows, RenameRefusedWhileHeldKeepsTheOldFileAndSucceedsOnceReleased) {
    TempFolder folder;
    const std::string path = folder.file("p.prefs");
    const std::string before = "X = 1\r\n[0]\r\nPfad = C:\\a.exe\r\n";
    writeFileBytes(path, before);
    const auto removeGroup = [&] {
        PrefsFile prefs;
        EXPECT_TRUE(prefs.open(path));
        prefs.removeGroup("0");
        return prefs.close();
    };
    {
        // A second reader without delete sharing makes the rename over the file fail, as a
        // sync client or a scanner holding the file would.
        HandleCloser reader{CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)};
        ASSERT_NE(reader.h, INVALID_HANDLE_VALUE);
        EXPECT_FALSE(removeGroup()) << "the caller must learn that the save did not happen";
        EXPECT_EQ(readFileBytes(path), before);
        EXPECT_EQ(folder.listing(), "p.prefs");
    }
    EXPECT_TRUE(removeGroup());
    EXPECT_EQ(readFileBytes(path), "X = 1\r\n");
}

TEST(PrefsFileOnWindows, FileHeldWithoutReadSharingIsUnreadableAndNeverWritten) {
    TempFolder folder;
    const std::string path = folder.file("p.prefs");
    writeFileBytes(path, kHandFormatted);
    PrefsFile prefs;
    {
        HandleCloser holder{
            CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)};
        ASSERT_NE(holder.h, INVALID_HANDLE_VALUE);
        EXPECT_FALSE(prefs.open(path));
        EXPECT_EQ(prefs.state(), PrefsFile::State::Unreadable);
        EXPECT_EQ(prefs.readInt("ImVordergrund", 7), 7);
        prefs.writeInt("X", 1);
        EXPECT_FALSE(prefs.close());
    }
    // Released: the file is as it was, not written from what was never read.
    EXPECT_EQ(readFileBytes(path), kHandFormatted);
    EXPECT_FALSE(prefs.open(folder.file("absent.prefs")));
    EXPECT_EQ(prefs.state(), PrefsFile::State::Missing);
    prefs.close();
}

TEST(PrefsFileOnWindows, RewriteKeepsTheFileAttributes) {
    TempFolder folder;
    const std::string path = folder.file("p.prefs");
    writeFileBytes(path, "X = 1\r\n");
    const DWORD kept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), kept));
    if ((GetFileAttributesA(path.c_str()) & kept) != kept) GTEST_SKIP() << "this file system keeps no DOS attributes";
    PrefsFile prefs;
    ASSERT_TRUE(prefs.open(path));
    prefs.writeInt("X", 2);
    EXPECT_TRUE(prefs.close());
    EXPECT_EQ(readFileBytes(path), "X = 2\r\n");
    EXPECT_EQ(GetFileAttributesA(path.c_str()) & kept, kept);

    // A hidden leftover of a crash does not stand in the way of a file without attributes.
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL));
    writeFileBytes(path + ".tmp", "left over");
    ASSERT_TRUE(SetFileAttributesA((path + ".tmp").c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(prefs.open(path));
    prefs.writeInt("X", 3);
    EXPECT_TRUE(prefs.close());
    EXPECT_EQ(readFileBytes(path), "X = 3\r\n");
    EXPECT_EQ(folder.listing(), "p.prefs");
}

TEST(PrefsFileOnWindows, RewriteThroughASymbolicLinkReplacesItsTarget) {
    TempFolder folder;
    ASSERT_TRUE(CreateDirectoryA(folder.file("sync").c_str(), nullptr));
    const std::string target = folder.file("sync\\Kivolt3.4.prefs");
    const std::string link = folder.file("Kivolt3.4.prefs");
    writeFileBytes(target, "X = 1\r\n");
    if (!CreateSymbolicLinkA(link.c_str(), target.c_str(), 0) || !fileExists(link))
        GTEST_SKIP() << "no symbolic link can be made here (Wine 8 answers success and makes none)";
    PrefsFile prefs;
    ASSERT_TRUE(prefs.open(link));
    prefs.writeInt("X", 2);
    EXPECT_TRUE(prefs.close());
    EXPECT_TRUE(GetFileAttributesA(link.c_str()) & FILE_ATTRIBUTE_REPARSE_POINT) << "still a link";
    EXPECT_EQ(readFileBytes(target), "X = 2\r\n");
    EXPECT_FALSE(fileExists(target + ".tmp"));
}

TEST(PrefsFileOnWindows, CreateTruncatesAndCloseLeavesAnEmptyFile) {
    TempFolder folder;
    const std::string path = folder.file("p.prefs");
    writeFileBytes(path, "X = 1\r\n");
    PrefsFile prefs;
    ASSERT_TRUE(prefs.create(path));
    prefs.close();
    EXPECT_EQ(readFileBytes(path), "");
}

TEST(FirstRun, CreatesFolderAndEmptyFileOnce) {
    TempFolder appData;
    const std::string path = prefsPath(appData.path());
    ensurePrefsFile(appData.path());
    ASSERT_TRUE(fileExists(path));
    EXPECT_EQ(readFileBytes(path), "");

    writeFileBytes(path, "X = 3\n\n");
    ensurePrefsFile(appData.path());
    EXPECT_EQ(readFileBytes(path), "X = 3\n\n");
}

TEST(FirstRun, FolderWithoutFileGetsTheFile) {
    TempFolder appData;
    ASSERT_TRUE(CreateDirectoryA(prefsFolder(appData.path()).c_str(), nullptr));
    ensurePrefsFile(appData.path());
    EXPECT_TRUE(fileExists(prefsPath(appData.path())));
}

TEST(FirstRun, AppDataDirEndsWithOneBackslash) {
    char saved[MAX_PATH] = "";
    const DWORD savedLength = GetEnvironmentVariableA("APPDATA", saved, MAX_PATH);
    ASSERT_TRUE(SetEnvironmentVariableA("APPDATA", "C:\\users\\test\\AppData\\Roaming"));
    EXPECT_EQ(appDataDirFromEnvironment(), "C:\\users\\test\\AppData\\Roaming\\");
    ASSERT_TRUE(SetEnvironmentVariableA("APPDATA", nullptr));
    EXPECT_EQ(appDataDirFromEnvironment(), "\\");
    SetEnvironmentVariableA("APPDATA", savedLength ? saved : nullptr);
}

}  // namespace
}  // namespace kivolt
