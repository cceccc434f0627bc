#pragma once
// What a dropped shell link contributes to its Shortcut.

#include <string>

namespace kivolt {

struct LinkInfo {
    int showCommand = 1;     // SW_SHOWNORMAL unless the link says otherwise
    std::string targetPath;  // ANSI
    std::string arguments;
};

// The link's own show command as a Shortcut keeps it: SW_SHOWMINNOACTIVE (7) becomes
// SW_SHOWMINIMIZED (2), and a value outside SW_HIDE..SW_FORCEMINIMIZE (a damaged link)
// becomes SW_SHOWNORMAL; every other value stays.
int linkShowCommand(int linkValue);

}  // namespace kivolt
