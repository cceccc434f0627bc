#pragma once
// Bounds checks and little-endian reads for parsing binary file headers.

#include <cstdint>
#include <span>

namespace kivolt {

// True when length bytes starting at offset lie inside bytes (no overflow possible).
inline bool hasBytes(std::span<const std::uint8_t> bytes, std::uint64_t offset, std::uint64_t length) {
    return offset <= bytes.size() && length <= bytes.size() - offset;
}

inline std::uint16_t le16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

inline std::uint32_t le32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

inline std::int32_t les32(const std::uint8_t* p) { return static_cast<std::int32_t>(le32(p)); }

}  // namespace kivolt
