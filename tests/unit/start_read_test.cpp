#include "settings/start_read.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "temp_folder.h"

namespace kivolt {
namespace {

using testing::TempFolder;
using testing::writeBytes;

constexpr const char* kNoSymbolicLinks =
    "no symbolic links for this test's own use here; the end-to-end tests hold the file instead";

class StartReadTest : public ::testing::Test {
protected:
    PrefsFile::State openCountingPauses(const std::function<void(int pause)>& onPause = {}) {
        return openAtStart(prefs_, path_, [&] {
            ++pauses_;
            if (onPause) onPause(pauses_);
        });
    }

    TempFolder folder_;
    std::string path_ = folder_.file("Kivolt3.4.prefs");
    PrefsFile prefs_;
    int pauses_ = 0;
};

TEST_F(StartReadTest, AFileThatComesFreeWhileStartUpWaitsIsReadWhole) {
#ifdef _WIN32
    GTEST_SKIP() << kNoSymbolicLinks;
#endif
    testing::makeUnopenable(path_);
    const PrefsFile::State state = openCountingPauses([&](int pause) {
        if (pause < 3) return;
        std::filesystem::remove(path_);
        writeBytes(path_, "X = 7\r\n[0]\r\nPfad = a\r\n");
    });
    EXPECT_EQ(state, PrefsFile::State::Read);
    EXPECT_EQ(pauses_, 3);
    EXPECT_EQ(prefs_.readInt("X", 0), 7);
    EXPECT_TRUE(prefs_.nextGroup());
}

TEST_F(StartReadTest, AFileThatStaysUnreadableIsGivenUpAfterAboutTwoSeconds) {
#ifdef _WIN32
    GTEST_SKIP() << kNoSymbolicLinks;
#endif
    testing::makeUnopenable(path_);
    EXPECT_EQ(openCountingPauses(), PrefsFile::State::Unreadable);
    EXPECT_EQ(pauses_, kStartReadAttempts - 1);
    const int waitedMs = pauses_ * kStartReadPauseMs;
    EXPECT_GE(waitedMs, 1500);
    EXPECT_LE(waitedMs, 2500);
    prefs_.writeInt("X", 1);
    EXPECT_FALSE(prefs_.close());
    EXPECT_TRUE(std::filesystem::is_symlink(path_));
}

TEST_F(StartReadTest, MissingAndReadableFilesAreNotWaitedFor) {
    EXPECT_EQ(openCountingPauses(), PrefsFile::State::Missing);
    prefs_.close();
    writeBytes(path_, "X = 1\r\n");
    EXPECT_EQ(openCountingPauses(), PrefsFile::State::Read);
    EXPECT_EQ(prefs_.readInt("X", 0), 1);
    EXPECT_EQ(pauses_, 0);
}

}  // namespace
}  // namespace kivolt
