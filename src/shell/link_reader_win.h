#pragma once
// Reads a shell link (.lnk) through the shell's link object.

#include <optional>
#include <string>

#include "shell/link_info.h"

namespace kivolt {

// The link's target, arguments and show command (see linkShowCommand). Nothing when the
// link object cannot be created, the file does not load, Resolve (without UI) does not
// return S_OK, or the link names no file-system target. COM is initialised around the call.
std::optional<LinkInfo> resolveLink(const std::string& linkPath);

}  // namespace kivolt
