#pragma once
// A stand-in for the shell's icons that records what the model asks of it.

#include <cstdint>
#include <string>
#include <vector>

#include "model/icon_source.h"
#include "model/shortcut_list.h"

namespace kivolt::testing {

class FakeIconSource : public IconSource {
public:
    static IconRef handle(std::uintptr_t n) { return reinterpret_cast<IconRef>(n); }
    static inline const IconRef kFolderIcon = handle(0xF0);

    // Paths ending in a separator count as folders; "nothing" gets no icon.
    IconRef iconFor(const std::string& path) override {
        requestedPaths.push_back(path);
        if (path == "nothing") return nullptr;
        if (!path.empty() && (path.back() == '\\' || path.back() == '/')) return kFolderIcon;
        return handle(++issued);
    }

    // Left half fully transparent, right half opaque grey.
    std::optional<Image> renderIcon(IconRef icon, int size) override {
        renderedSizes.push_back(size);
        if (!icon) return std::nullopt;
        Image image;
        image.width = size;
        image.height = size;
        image.pixels.assign(static_cast<std::size_t>(image.stride()) * size, 0);
        PixelView view = image.view();
        for (int y = 0; y < size; ++y)
            for (int x = size / 2; x < size; ++x)
                for (int i = 0; i < 4; ++i) view.pixel(x, y)[i] = i == 3 ? 255 : 128;
        return image;
    }

    void releaseIcon(IconRef icon) override { released.push_back(icon); }

    std::uintptr_t issued = 0;
    std::vector<std::string> requestedPaths;
    std::vector<int> renderedSizes;
    std::vector<IconRef> released;
};

inline std::vector<std::string> namesOf(const ShortcutList& list) {
    std::vector<std::string> names;
    for (const Shortcut& s : list) names.push_back(s.name);
    return names;
}

}  // namespace kivolt::testing
