#include <windows.h>

#include "base/file_io_win.h"
#include "settings/prefs_storage.h"

namespace kivolt {

struct PrefsStorage::Handle {
    UniqueFile file;
};

namespace {

constexpr std::size_t kMaxPrefsFileBytes = 0x7FFFFFFF;

// What could be read stays in `bytes`; true when that is the whole file.
bool readAll(HANDLE file, std::string& bytes) {
    const std::optional<std::size_t> size = fileSize(file, kMaxPrefsFileBytes);
    if (!size) return false;
    bytes.resize(*size);
    bytes.resize(readUpTo(file, bytes.data(), bytes.size()));
    return bytes.size() == *size;
}

// Windows refuses write access to a file with the read-only attribute; Wine running as root
// grants it, so the attribute is checked as well.
bool isReadOnlyFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

bool writeAll(HANDLE file, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD wrote = 0;
        if (!WriteFile(file, bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &wrote, nullptr) ||
            wrote == 0)
            return false;
        done += wrote;
    }
    return true;
}

// Virus scanners and indexers hold freshly written files for a moment.
bool renameOver(const std::string& from, const std::string& to) {
    for (int attempt = 0; attempt < 10; ++attempt) {
        if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        const DWORD error = GetLastError();
        if (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED && error != ERROR_LOCK_VIOLATION)
            return false;
        Sleep(20);
    }
    return false;
}

}  // namespace

PrefsStorage::PrefsStorage() : handle_(std::make_unique<Handle>()) {}
PrefsStorage::~PrefsStorage() = default;

PrefsStorage::Access PrefsStorage::openExisting(const std::string& path, std::string& bytes) {
    release();
    bytes.clear();
    Access access = Access::ReadWrite;
    UniqueFile file;
    if (!isReadOnlyFile(path)) file = openFile(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, OPEN_EXISTING);
    if (!file) {
        access = Access::ReadOnly;
        file = openFile(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
    }
    if (!file) file = openFile(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING);
    if (!file) return Access::Missing;
    // A file that cannot be read completely is never written back: that would lose its tail.
    if (!readAll(file.get(), bytes)) access = Access::ReadOnly;
    handle_->file = std::move(file);
    return access;
}

bool PrefsStorage::createEmpty(const std::string& path) {
    release();
    handle_->file = openFile(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, CREATE_ALWAYS);
    return static_cast<bool>(handle_->file);
}

bool PrefsStorage::replace(const std::string& path, const std::string& bytes) {
    release();
    if (isReadOnlyFile(path)) return false;
    // Beside the file, so the rename stays on one volume; a leftover of a crash is overwritten.
    const std::string temp = path + ".tmp";
    bool written = false;
    {
        UniqueFile file = openFile(temp, GENERIC_WRITE, 0, CREATE_ALWAYS);
        written = file && writeAll(file.get(), bytes) && FlushFileBuffers(file.get());
    }
    if (written && renameOver(temp, path)) return true;
    DeleteFileA(temp.c_str());
    return false;
}

void PrefsStorage::release() { handle_->file.reset(); }

}  // namespace kivolt
