#pragma once
// What a launch hands to the shell, worked out without calling it: the verb, file, show
// command and working folder of each way of starting a Shortcut, as Explorer starts it.

#include <string>
#include <string_view>

#include "model/shortcut_list.h"

namespace kivolt {

// One call to the shell.
struct ShellLaunch {
    std::string verb;        // "runas", or empty for the default verb
    std::string file;
    std::string parameters;
    std::string folder;      // working folder; empty: the launcher's own
    int showCommand = 1;     // SW_SHOWNORMAL
};

// RunMode 0, 1, 2 gives SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED: runMode + 1.
// Any other value (-1 from the properties dialog with nothing chosen, a link's own show
// command, a hand-edited prefs file) starts the program normally, never hidden.
int showCommandFor(int runMode);

// An executable Shortcut: its verb, parameters and show command, started in the folder
// that holds it, so that it finds the files that lie beside it.
ShellLaunch executableLaunch(const Shortcut& shortcut);

// Anything else (documents, folders, batch files, screen savers, ...): the shell's default
// verb, shown normally, without parameters, working in its own folder. A folder gets one
// trailing backslash ("C:" means the drive's root) and is its own working folder.
ShellLaunch documentLaunch(std::string_view path, bool isFolder);

// The folder that holds `path`: everything up to and including its last backslash or slash;
// empty for a bare file name. "C:\Tools\app.exe" gives "C:\Tools\", "C:\" gives "C:\".
std::string containingFolder(std::string_view path);

// runFile's CreateProcessA command line: the target in double quotes, unless it already
// begins with one.
std::string runFileCommandLine(std::string_view target);

// runFile's file for ShellExecuteExA: the target without its double quotes.
std::string runFileShellFile(std::string_view target);

// runFile's working folder for ShellExecuteExA: the file up to and including its last
// backslash that is not its first character; empty (none) without one. A folder ending in a
// backslash is its own working folder.
std::string runFileWorkingFolder(std::string_view shellFile);

}  // namespace kivolt
