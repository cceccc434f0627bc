#pragma once
// Which icon a shortcut asks the shell for, and which of the pictures an icon offers serves
// an item size. Decided here, where it is tested natively: Wine answers the shell calls
// differently from Windows.

#include <span>
#include <string_view>

namespace kivolt {

// What the file system says about a path.
enum class PathKind { Missing, File, Directory };

enum class IconRequest {
    FolderIcon,  // the program's own grey folder
    FromFile,    // the shell's icon, read from the file itself
    FromName,    // the shell's icon for the name alone (SHGFI_USEFILEATTRIBUTES)
};

// Folders and drive roots get the folder icon, also a drive root that is not there (a
// removable drive taken out). Windows answers SHGetFileInfo with SHGFI_USEFILEATTRIBUTES
// from the name alone, without opening the file, so every program would get the generic
// program icon: only a path that does not exist is asked for by name, and still gets the
// icon of its type.
IconRequest iconRequestFor(std::string_view path, PathKind kind);

// The picture to take for an item size from the edge lengths an icon offers: the smallest
// at or above `wanted` (shrunk when it is larger), else the largest (the only case that
// enlarges). `wanted` when the icon lists none.
int pictureSizeFor(std::span<const int> offered, int wanted);

}  // namespace kivolt
