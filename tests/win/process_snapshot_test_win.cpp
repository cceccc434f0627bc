#include <windows.h>

#include <gtest/gtest.h>

#include "base/text.h"
#include "shell/process_snapshot_win.h"
#include "temp_folder_win.h"

namespace kivolt {
namespace {

TEST(ProcessSnapshotTest, FindsThisProgramAndNotAMadeUpOne) {
    const std::string path = test::ownExecutablePath();
    const RunningPrograms running = takeProcessSnapshot();
    EXPECT_TRUE(running.isProgramRunning(filePart(path))) << path;
    // Folder and case play no part.
    EXPECT_TRUE(running.isProgramRunning(upperCase(filePart(path))));
    EXPECT_FALSE(running.isProgramRunning("kivolt-no-such-program-4711.exe"));
    EXPECT_FALSE(running.isProgramRunning(""));
}

}  // namespace
}  // namespace kivolt
