#include "model/shortcut_list.h"

#include <iterator>

namespace kivolt {

int ShortcutList::count() const { return static_cast<int>(elements_.size()); }

Shortcut* ShortcutList::selectAt(int i) {
    if (i < 0 || i >= count()) {
        current_ = elements_.end();
        return nullptr;
    }
    current_ = std::next(elements_.begin(), i);
    return &*current_;
}

void ShortcutList::clearCurrent() { current_ = elements_.end(); }

Shortcut* ShortcutList::nextElement() {
    auto next = current_ == elements_.end() ? elements_.begin() : std::next(current_);
    if (next == elements_.end()) return nullptr;
    current_ = next;
    return &*current_;
}

int ShortcutList::currentIndex() const {
    if (current_ == elements_.end()) return -1;
    return static_cast<int>(std::distance(elements_.begin(), Elements::const_iterator(current_)));
}

Shortcut* ShortcutList::current() {
    return current_ == elements_.end() ? nullptr : &*current_;
}

Shortcut& ShortcutList::insertAfterCurrent() {
    auto position = current_ == elements_.end() ? elements_.begin() : std::next(current_);
    current_ = elements_.emplace(position);
    return *current_;
}

void ShortcutList::deleteCurrent() {
    if (current_ == elements_.end()) return;
    auto successor = std::next(current_);
    auto replacement = current_ != elements_.begin() ? std::prev(current_) : successor;
    elements_.erase(current_);
    current_ = replacement;
}

void ShortcutList::moveCurrentBefore(const Shortcut* target) {
    auto position = find(target);
    if (position != elements_.end()) moveCurrentTo(position);
}

void ShortcutList::moveCurrentAfter(const Shortcut* target) {
    auto position = find(target);
    if (position != elements_.end()) moveCurrentTo(std::next(position));
}

ShortcutList::Elements::iterator ShortcutList::find(const Shortcut* target) {
    for (auto it = elements_.begin(); it != elements_.end(); ++it) {
        if (&*it == target) return it;
    }
    return elements_.end();
}

// Links the current element in before `position`. splice leaves the list as it is when
// `position` is the current element or its successor, which covers target == current.
void ShortcutList::moveCurrentTo(Elements::iterator position) {
    if (current_ == elements_.end()) return;
    elements_.splice(position, elements_, current_);
}

}  // namespace kivolt
