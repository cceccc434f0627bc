#pragma once
// Which icon a shortcut asks the shell for, and which of the pictures an icon offers serves
// an item size. Decided here, where it is tested natively: Wine answers the shell calls
// differently from Windows.

#include <span>
#include <string>
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

// Where an icon's pictures lie: a program, library or icon file, and the icon's index in it
// (numbered as ExtractIcon numbers them). An empty file: nowhere we can read them.
struct IconLocation {
    std::string file;
    int index = 0;
    friend bool operator==(const IconLocation&, const IconLocation&) = default;
};

// The location the shell names (SHGFI_ICONLOCATION). When it names none for a file it read,
// the file itself: a program whose icon is its own ("%1"); from any other file nothing is
// extracted and the shell's own icon serves.
IconLocation iconLocationFor(std::string_view path, IconRequest request, std::string_view shellFile, int shellIndex);

// The picture to take for an item size from the edge lengths an icon offers: the smallest
// at or above `wanted` (shrunk when it is larger), else the largest (the only case that
// enlarges). `wanted` when the icon lists none.
int pictureSizeFor(std::span<const int> offered, int wanted);

}  // namespace kivolt
