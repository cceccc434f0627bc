#pragma once
// What every end-to-end test starts from: a test folder as the program's application-data
// folder, the prefs file in it, the real program started over it, and the launch probe
// recording into the same folder.

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "box_process_win.h"
#include "settings/prefs_location.h"
#include "temp_folder_win.h"

namespace kivolt::test {

class BoxFixture : public ::testing::Test {
protected:
    void SetUp() override { SetEnvironmentVariableA("KIVOLT_PROBE_OUT", record.c_str()); }
    void TearDown() override { SetEnvironmentVariableA("KIVOLT_PROBE_OUT", nullptr); }

    std::string prefs() const { return prefsPath(folder.path()); }
    void writePrefs(const std::string& bytes) {
        CreateDirectoryA(prefsFolder(folder.path()).c_str(), nullptr);
        writeFileBytes(prefs(), bytes);
    }
    // Starts the program over the prefs file as it is (or is not) and waits for its box.
    BoxWindows launch() {
        box = std::make_unique<BoxProcess>(folder.path().substr(0, folder.path().size() - 1));
        EXPECT_TRUE(box->started());
        BoxWindows windows = box->waitForWindows();
        EXPECT_NE(windows.main, nullptr);
        EXPECT_NE(windows.overlay, nullptr);
        return windows;
    }
    BoxWindows start(const std::string& prefsBytes) {
        writePrefs(prefsBytes);
        return launch();
    }
    // A close request for one of the box's windows: the program ends as "Beenden" ends it.
    void quitThrough(HWND hwnd) {
        PostMessageA(hwnd, WM_CLOSE, 0, 0);
        EXPECT_EQ(box->waitForExit(), 0u);
    }
    // Generous for a loaded machine; the kill torture measures how far behind the file is.
    bool prefsBecome(const std::string& bytes, DWORD timeoutMs = 5000) {
        return waitUntil([&] { return readFileBytes(prefs()) == bytes; }, timeoutMs);
    }
    // Destroying a visible window takes Wine a while on a bare X server.
    static bool closes(HWND window) { return waitUntil([window] { return !IsWindow(window); }); }

    TempFolder folder;
    std::string record = folder.file("probe.txt");
    std::unique_ptr<BoxProcess> box;
};

}  // namespace kivolt::test
