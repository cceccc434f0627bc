#include "ui/icon_plan.h"

namespace kivolt {
namespace {

// "C:", "C:\" or "C:/".
bool isDriveRoot(std::string_view path) {
    if (path.size() < 2 || path[1] != ':') return false;
    const char letter = path[0];
    if (!((letter >= 'A' && letter <= 'Z') || (letter >= 'a' && letter <= 'z'))) return false;
    return path.size() == 2 || (path.size() == 3 && (path[2] == '\\' || path[2] == '/'));
}

}  // namespace

IconRequest iconRequestFor(std::string_view path, PathKind kind) {
    if (kind == PathKind::Directory || isDriveRoot(path)) return IconRequest::FolderIcon;
    return kind == PathKind::File ? IconRequest::FromFile : IconRequest::FromName;
}

IconLocation iconLocationFor(std::string_view path, IconRequest request, std::string_view shellFile, int shellIndex) {
    if (!shellFile.empty()) return {std::string(shellFile), shellIndex};
    if (request == IconRequest::FromFile) return {std::string(path), 0};
    return {};
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
