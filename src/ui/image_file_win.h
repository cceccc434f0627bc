#pragma once

#include <optional>
#include <string>

#include "ui/image.h"

namespace kivolt {

// A background image read from a file: BMP, icon file, JPEG or PNG. None when the file
// cannot be read completely, is no image we can decode or does not fit in memory.
std::optional<Image> loadImageFile(const std::string& path);

}  // namespace kivolt
