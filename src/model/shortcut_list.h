#pragma once
// The ordered list of the box's shortcuts. Its order is the display order; its cursor (the
// current element) tells insertions where to go, so inserting callers set it first.

#include <cstdint>
#include <list>
#include <optional>
#include <string>

#include "model/icon_source.h"
#include "ui/image.h"

namespace kivolt {

struct Shortcut {
    std::optional<Image> image;  // the icon at the current item size, soft pixels keyed out
    IconRef icon = nullptr;      // source of `image`, kept for re-rendering
    std::string path;
    std::int32_t cellX = 0;  // icon corner in OverlayWindow client coordinates, set by painting
    std::int32_t cellY = 0;
    std::int32_t runAsAdmin = 0;
    std::int32_t runMode = 0;  // RunMode: 0 normal, 1 minimised, 2 maximised
    std::string parameters;
    std::string name;
};

// Elements never move in memory, so a Shortcut* stays valid until that element is deleted.
class ShortcutList {
public:
    using Elements = std::list<Shortcut>;

    ShortcutList() = default;
    ShortcutList(const ShortcutList&) = delete;
    ShortcutList& operator=(const ShortcutList&) = delete;

    int count() const;
    // For 0 <= i < count the element at i becomes current and is returned; otherwise there
    // is no current element and nullptr is returned.
    Shortcut* selectAt(int i);
    void clearCurrent();
    // The first element without a current one, else the one after it. At the end nullptr is
    // returned and the last element stays current.
    Shortcut* nextElement();
    // 0-based position of the current element, -1 for none.
    int currentIndex() const;
    Shortcut* current();
    // A new Shortcut after the current element (at the front without one); it becomes current.
    Shortcut& insertAfterCurrent();
    // Removes the current element; its predecessor becomes current, else its successor.
    void deleteCurrent();
    // Relinks the current element next to `target`. Nothing happens when target is nullptr,
    // not in the list, or the current element itself. The current element stays current.
    void moveCurrentBefore(const Shortcut* target);
    void moveCurrentAfter(const Shortcut* target);

    // Walks that leave the cursor alone (painting, hit tests, saving).
    Elements::iterator begin() { return elements_.begin(); }
    Elements::iterator end() { return elements_.end(); }
    Elements::const_iterator begin() const { return elements_.begin(); }
    Elements::const_iterator end() const { return elements_.end(); }

private:
    Elements::iterator find(const Shortcut* target);
    void moveCurrentTo(Elements::iterator position);

    Elements elements_;
    Elements::iterator current_ = elements_.end();  // end() means no current element
};

}  // namespace kivolt
