#pragma once
// Opening a file and reading it whole, with Win32 semantics.

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>

#include "base/unique_handle_win.h"

namespace kivolt {

// `attributes` are those a file created here gets (and flags such as FILE_FLAG_BACKUP_SEMANTICS).
UniqueFile openFile(const std::string& path, DWORD access, DWORD share, DWORD disposition,
                    DWORD attributes = FILE_ATTRIBUTE_NORMAL);

// The size of an open file; nothing when it cannot be told or is larger than maxBytes.
std::optional<std::size_t> fileSize(HANDLE file, std::size_t maxBytes);

// Reads from the file's current position until `size` bytes are in, the file ends or a
// read fails; the number of bytes read.
std::size_t readUpTo(HANDLE file, void* into, std::size_t size);

}  // namespace kivolt
