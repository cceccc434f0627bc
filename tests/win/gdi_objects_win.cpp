#include "gdi_objects_win.h"

#include <winternl.h>

#include <cstdint>

namespace kivolt::test {
namespace {

// Wine's GDI handle table: 65536 entries of 24 bytes on both architectures; the object type
// is the byte at offset 14, 0 for a free entry.
constexpr std::size_t kHandleCount = 0x10000;
constexpr std::size_t kEntrySize = 24;
constexpr std::size_t kTypeOffset = 14;
#ifdef _WIN64
constexpr std::size_t kTableOffsetInPeb = 0xF8;  // PEB.GdiSharedHandleTable
#else
constexpr std::size_t kTableOffsetInPeb = 0x94;
#endif

DWORD liveHandleTableEntries() {
    PROCESS_BASIC_INFORMATION info{};
    if (NtQueryInformationProcess(GetCurrentProcess(), ProcessBasicInformation, &info, sizeof(info), nullptr) != 0)
        return 0;
    const auto* peb = reinterpret_cast<const std::uint8_t*>(info.PebBaseAddress);
    const auto* table = *reinterpret_cast<const std::uint8_t* const*>(peb + kTableOffsetInPeb);
    if (!table) return 0;
    DWORD live = 0;
    for (std::size_t i = 0; i < kHandleCount; ++i) live += table[i * kEntrySize + kTypeOffset] != 0;
    return live;
}

}  // namespace

DWORD gdiObjectCount() {
    const DWORD counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    return counted != 0 ? counted : liveHandleTableEntries();
}

}  // namespace kivolt::test
