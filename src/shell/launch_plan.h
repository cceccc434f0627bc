#pragma once
// What a launch hands to the shell, worked out without calling it: the verb, show command,
// command line and working folder of each way of starting a Shortcut.

#include <optional>
#include <string>
#include <string_view>

#include "model/shortcut_list.h"

namespace kivolt {

// The ShellExecuteA call that starts an executable Shortcut.
struct ExecutableLaunch {
    std::string verb;  // "runas", or empty for the default verb (passed as a null pointer)
    std::string file;
    std::string parameters;
    int showCommand = 1;
};

// RunMode 0, 1, 2 gives SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED: runMode + 1.
// A value whose show command would lie outside SW_HIDE..SW_FORCEMINIMIZE (a hand-edited
// prefs file) starts the program normally.
int showCommandFor(int runMode);

ExecutableLaunch executableLaunch(const Shortcut& shortcut);

// What runFile gets for a Shortcut that is not an executable: a folder with one backslash
// appended (so that it is its own working folder), any other path unchanged, because the
// shell opens no document whose name ends in a backslash.
std::string runFileTarget(std::string_view path, bool isFolder);

// The folder that holds `path`: everything up to and including its last backslash or slash;
// empty for a bare file name. "C:\Tools\app.exe" gives "C:\Tools\", "C:\" gives "C:\".
std::string containingFolder(std::string_view path);

// runFile's CreateProcessA command line: the target in double quotes, unless it already
// begins with one.
std::string runFileCommandLine(std::string_view target);

// runFile's file for ShellExecuteExA: the target without its double quotes.
std::string runFileShellFile(std::string_view target);

// The working folder for ShellExecuteExA: the file up to and including its last backslash
// that is not its first character; none without one. A folder ending in a backslash is its
// own working folder.
std::optional<std::string> runFileWorkingFolder(std::string_view shellFile);

}  // namespace kivolt
