#include "base/text.h"

namespace kivolt {

namespace {

// Where the file part begins and ends in `path` (end exclusive).
struct Span {
    std::size_t begin = 0;
    std::size_t end = 0;
};

Span filePartSpan(std::string_view path) {
    std::size_t begin = path.starts_with('"') ? 1 : 0;
    std::size_t separator = path.find_last_of("\\/");
    if (separator != std::string_view::npos && separator >= begin) begin = separator + 1;
    std::size_t end = path.find('"', begin);
    if (end == std::string_view::npos) end = path.size();
    return {begin, end};
}

}  // namespace

std::string filePart(std::string_view path) {
    Span span = filePartSpan(path);
    return std::string(path.substr(span.begin, span.end - span.begin));
}

std::string extensionPart(std::string_view path) {
    Span span = filePartSpan(path);
    std::string_view part = path.substr(span.begin, span.end - span.begin);
    std::size_t dot = part.find_last_of('.');
    if (dot == std::string_view::npos) return {};
    return std::string(part.substr(dot + 1));
}

bool isExecutablePath(std::string_view path) {
    std::string_view tail = path.size() > 4 ? path.substr(path.size() - 4) : path;
    return upperCase(tail) == ".EXE";
}

unsigned char upperCaseCp1252(unsigned char c) {
    if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - ('a' - 'A'));
    switch (c) {
        case 0x9A: return 0x8A;  // š → Š
        case 0x9C: return 0x8C;  // œ → Œ
        case 0x9E: return 0x8E;  // ž → Ž
        case 0xFF: return 0x9F;  // ÿ → Ÿ
        case 0xF7: return c;     // ÷ has no capital
        default: break;
    }
    if (c >= 0xE0 && c <= 0xFE) return static_cast<unsigned char>(c - 0x20);
    return c;
}

}  // namespace kivolt
