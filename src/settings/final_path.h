#pragma once
// The name the system gives a file once its links are followed, as a plain path.

#include <string>
#include <string_view>

namespace kivolt {

// GetFinalPathNameByHandle answers with the long-path prefix: "\\?\C:\dir\file" for a
// drive, "\\?\UNC\server\share\file" for a network share. The plain form of such a name
// ("C:\dir\file", "\\server\share\file"); any other text is returned as it is.
std::string withoutLongPathPrefix(std::string_view finalName);

}  // namespace kivolt
