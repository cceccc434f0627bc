// Starts the box for the idle-cost bench (tools/idle-cost) and keeps it idle: ten shortcuts,
// running programs marked or not, the pointer elsewhere, the prefs file in a folder of its
// own. Prints "ready" once the box is shown; closes it when a line or the end of input comes.
//   idle_box.exe <kivolt.exe> <marks: 0 or 1> <tag>
// The tag goes on the box's command line (which it ignores) so that the bench finds its
// process.
#include <windows.h>

#include <cstdio>
#include <string>

#include "box_process_win.h"
#include "settings/prefs_location.h"
#include "temp_folder_win.h"

using namespace kivolt;
using namespace kivolt::test;

namespace {

// Programs (some of them running: the desktop, the service manager), documents' folders.
const char* const kTargets[] = {
    "C:\\windows\\notepad.exe",           "C:\\windows\\regedit.exe",
    "C:\\windows\\explorer.exe",          "C:\\windows\\system32\\services.exe",
    "C:\\windows\\system32\\cmd.exe",     "C:\\windows\\system32\\winecfg.exe",
    "C:\\windows\\system32\\taskmgr.exe", "C:\\windows\\system32\\control.exe",
    "C:\\windows",                        "C:\\users",
};

std::string prefsText(bool marks) {
    std::string text = "FensterPos = 1\r\nX = 300\r\nY = 200\r\nAktiveProgrammeMarkieren = ";
    text += marks ? "1\r\n" : "0\r\n";
    int index = 0;
    for (const char* target : kTargets) {
        text += prefsGroup(index, target, "", 0, "S" + std::to_string(index));
        ++index;
    }
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: idle_box.exe <kivolt.exe> <marks: 0 or 1> <tag>\n");
        return 2;
    }
    TempFolder folder;
    CreateDirectoryA(prefsFolder(folder.path()).c_str(), nullptr);
    writeFileBytes(prefsPath(folder.path()), prefsText(std::string(argv[2]) == "1"));
    SetCursorPos(1700, 1000);  // far from the box at (300, 200)

    BoxProcess box(folder.path().substr(0, folder.path().size() - 1), argv[1], argv[3]);
    const BoxWindows windows = box.waitForWindows(30000);
    if (!windows.main || !windows.overlay) {
        std::fprintf(stderr, "idle_box: the box did not open\n");
        return 1;
    }
    std::printf("ready\n");
    std::fflush(stdout);

    char line[16];
    DWORD got = 0;
    ReadFile(GetStdHandle(STD_INPUT_HANDLE), line, sizeof(line), &got, nullptr);
    PostMessageA(windows.main, WM_CLOSE, 0, 0);
    return box.waitForExit() == 0 ? 0 : 1;
}
