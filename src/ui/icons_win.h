#pragma once
// Icons for shortcuts: the shell's icon for a file, the program's own grey folder for
// folders and drive roots. Each item size is rendered from the picture the icon holds for
// it (the nearest at or above), drawn at its own size and shrunk by our own filter.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "model/icon_source.h"
#include "ui/gdi_handles_win.h"
#include "ui/icon_plan.h"

namespace kivolt {

// Where one icon's pictures come from. A shortcut keeps it for its whole life, so that
// every item size gets its own picture.
class IconPictures {
public:
    virtual ~IconPictures() = default;
    // The picture pictureSizeFor picks for the item size, at its own size; null when there
    // is none.
    virtual UniqueIcon pictureFor(int itemSize) const = 0;
};

// The pictures of an icon file held in memory (the program's folder icon).
class IconFilePictures final : public IconPictures {
public:
    explicit IconFilePictures(std::span<const std::uint8_t> file) : file_(file) {}
    UniqueIcon pictureFor(int itemSize) const override;

private:
    std::span<const std::uint8_t> file_;  // borrowed: a resource of the program
};

// The shell's icon for a file: the pictures at its icon location, and the shell's own icon
// for when those give none.
class ShellPictures final : public IconPictures {
public:
    ShellPictures(IconLocation location, UniqueIcon shellIcon)
        : location_(std::move(location)), shellIcon_(std::move(shellIcon)) {}
    UniqueIcon pictureFor(int itemSize) const override;

private:
    IconLocation location_;
    UniqueIcon shellIcon_;
};

// The icon file embedded in the program (the grey folder, all its sizes); empty when missing.
std::span<const std::uint8_t> embeddedFolderIconFile(HINSTANCE instance);

// The shell's icon for a path, read from the file or by its name alone as the request
// says; null when there is neither a location nor an icon.
std::unique_ptr<ShellPictures> shellIconFor(const std::string& path, IconRequest request);

// The edge lengths of the pictures at an icon location: icon group `index` of a program or
// library (numbered as ExtractIcon does: from 0 in order, negative for a resource id), or
// the pictures of an icon file (index 0). Empty when they cannot be read.
std::vector<int> offeredIconSizes(const std::string& location, int index);

// An n × n 32-bit image of the icon in plain colours with their alpha: drawn at its own
// size, shrunk (or, failing a larger picture, enlarged) to n. None for a null icon.
std::optional<Image> renderIcon(HICON icon, int n);

class ShellIcons final : public IconSource {
public:
    explicit ShellIcons(HINSTANCE instance) : folder_(embeddedFolderIconFile(instance)) {}

    // The folder icon that every folder shortcut shares.
    IconRef folderIcon() { return static_cast<IconPictures*>(&folder_); }

    IconRef iconFor(const std::string& path) override;
    std::optional<Image> renderIcon(IconRef icon, int size) override;
    void releaseIcon(IconRef icon) override;

private:
    IconFilePictures folder_;
};

}  // namespace kivolt
