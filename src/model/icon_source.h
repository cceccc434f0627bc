#pragma once
// The seam between the shortcut model and the platform's icons: the model keeps icon handles
// without knowing what they are; the Windows side fills the interface with the shell's icons
// and renders the picture each item size asks for.

#include <optional>
#include <string>

#include "ui/image.h"

namespace kivolt {

// An icon handle (on Windows: where the icon's pictures come from), or nullptr for none.
using IconRef = void*;

class IconSource {
public:
    virtual ~IconSource() = default;
    // The icon for a path: the shared folder icon for a directory, else the shell's icon.
    virtual IconRef iconFor(const std::string& path) = 0;
    // A new size × size image of the icon, or none (a null icon, no memory).
    virtual std::optional<Image> renderIcon(IconRef icon, int size) = 0;
    // Gives back a handle that one Shortcut owned; the shared folder icon is kept.
    virtual void releaseIcon(IconRef icon) = 0;
};

}  // namespace kivolt
