#pragma once
// Writing shell links through the shell's link object, and the autostart link
// "Kivolt3.lnk" in the user's Startup folder.

#include <string>

namespace kivolt {

// The path of a shell special folder (a CSIDL), ending in a backslash; empty when the
// shell cannot resolve it.
std::string specialFolderPath(int csidl);

// Everything a link file holds. Strings are ANSI.
struct ShellLink {
    std::string target;
    std::string linkPath;
    std::string workingDir;  // empty: the target's folder
    std::string arguments;
    int showCmd = 1;  // SW_SHOWNORMAL
    std::string description;
    int hotkey = 0;        // none
    std::string iconPath;  // "|": the target itself
    int iconIndex = 0;
};

// Writes the link file (an existing one is overwritten). True when the link was handed to
// the shell to save; a failing save itself is not noticed. COM is initialised around it.
bool createShellLink(const ShellLink& link);

// With autostart 1, (re)writes "Kivolt3.lnk" in `folder` pointing at this executable;
// with any other value deletes it. Nothing happens for an empty folder.
void updateAutostartLinkIn(const std::string& folder, int autostart);

// updateAutostartLinkIn for the current user's Startup folder.
void updateAutostartLink(int autostart);

}  // namespace kivolt
