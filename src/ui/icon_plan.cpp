#include "ui/icon_plan.h"

namespace kivolt {
namespace {

// "C:", "C:\" or "C:/".
bool isDriveRoot(std::string_view path) {
    const bool letter = path.size() >= 2 && ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
    if (!letter || path[1] != ':') return false;
    return path.size() == 2 || (path.size() == 3 && (path[2] == '\\' || path[2] == '/'));
}

}  // namespace

IconRequest iconRequestFor(std::string_view path, PathKind kind) {
    if (kind == PathKind::Directory || isDriveRoot(path)) return IconRequest::FolderIcon;
    return kind == PathKind::File ? IconRequest::FromFile : IconRequest::FromName;
}

int pictureSizeFor(std::span<const int> offered, int wanted) {
    int atOrAbove = 0;
    int largest = 0;
    for (int size : offered) {
        if (size >= wanted && (atOrAbove == 0 || size < atOrAbove)) atOrAbove = size;
        if (size > largest) largest = size;
    }
    if (atOrAbove != 0) return atOrAbove;
    return largest > 0 ? largest : wanted;
}

}  // namespace kivolt
