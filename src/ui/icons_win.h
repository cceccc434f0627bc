#pragma once
// Icons for shortcuts: the shell's icon for a file, the program's own grey folder for
// folders and drive roots, rendered at the item size with DrawIconEx.

#include <windows.h>

#include "model/icon_source.h"

namespace kivolt {

// The folder icon from the program's embedded icon file: the 128-pixel image (the largest
// of the entries as large as the first, with the most bits). Null when it cannot be made.
HICON loadDefaultFolderIcon(HINSTANCE instance);

// The shell's large icon for a path, chosen by the name alone; null when there is none.
HICON shellIconFor(const std::string& path);

// An n × n 32-bit image of the icon drawn on transparent black; none for a null icon.
std::optional<Image> renderIcon(HICON icon, int n);

class ShellIcons final : public IconSource {
public:
    explicit ShellIcons(HINSTANCE instance) : folderIcon_(loadDefaultFolderIcon(instance)) {}
    ~ShellIcons() override;
    ShellIcons(const ShellIcons&) = delete;
    ShellIcons& operator=(const ShellIcons&) = delete;

    HICON folderIcon() const { return folderIcon_; }

    IconRef iconFor(const std::string& path) override;
    std::optional<Image> renderIcon(IconRef icon, int size) override;
    void releaseIcon(IconRef icon) override;

private:
    HICON folderIcon_;  // shared by every folder shortcut
};

}  // namespace kivolt
