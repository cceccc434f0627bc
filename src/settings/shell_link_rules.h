#pragma once
// The rules by which a shell link's fields are filled in before it is written.

#include <string>
#include <string_view>

namespace kivolt {

// The file name of the autostart link in the Startup folder.
inline constexpr char kAutostartLinkName[] = "Kivolt3.lnk";

// The icon location: "|" means the target itself.
std::string linkIconPath(std::string_view iconPath, std::string_view target);

// The working folder: an empty one means the target's folder, everything up to and
// including its last backslash or slash (a leading double quote skipped, the scan stopping
// at a "|"); empty when the target holds no separator.
std::string linkWorkingFolder(std::string_view workingDir, std::string_view target);

}  // namespace kivolt
