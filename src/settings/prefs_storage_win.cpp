#include <windows.h>

#include "base/file_io_win.h"
#include "settings/final_path.h"
#include "settings/prefs_storage.h"

namespace kivolt {

struct PrefsStorage::Handle {
    UniqueFile file;
};

namespace {

constexpr std::size_t kMaxPrefsFileBytes = 0x7FFFFFFF;

// What the new file takes over from the one it replaces (a read-only file is never replaced).
constexpr DWORD kKeptAttributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// True only when all of the file was read: a read that fails or ends early (another
// program rewriting the file in place, a locked range) leaves part of it in `bytes`.
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

constexpr DWORD kFinalNameForm = FILE_NAME_NORMALIZED | VOLUME_NAME_DOS;

// The file that a symbolic link (or a path through a junction) leads to, so that the rename
// replaces that file and not the link; the path itself when the system cannot tell.
std::string finalPath(const std::string& path) {
    // No access asked for: this opens even a file that another program holds exclusively.
    const UniqueFile file = openFile(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING);
    if (!file) return path;
    std::string name(MAX_PATH, '\0');
    const auto ask = [&] {
        return GetFinalPathNameByHandleA(file.get(), name.data(), static_cast<DWORD>(name.size()), kFinalNameForm);
    };
    DWORD length = ask();
    if (length >= name.size()) {  // too small: the length it needs, with the terminator
        name.resize(length);
        length = ask();
    }
    if (length == 0 || length >= name.size()) return path;
    name.resize(length);
    return withoutLongPathPrefix(name);
}

// The attributes for the new file: those of the old one that it keeps.
DWORD attributesFor(const std::string& path) {
    const DWORD old = GetFileAttributesA(path.c_str());
    const DWORD kept = old == INVALID_FILE_ATTRIBUTES ? 0 : old & kKeptAttributes;
    return kept ? kept : FILE_ATTRIBUTE_NORMAL;
}

bool isMissing(DWORD error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }

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
    if (!file) return isMissing(GetLastError()) ? Access::Missing : Access::Unreadable;
    if (!readAll(file.get(), bytes)) {
        bytes.clear();
        return Access::Unreadable;
    }
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
    const std::string target = finalPath(path);
    if (isReadOnlyFile(target)) return false;
    // Beside the file, so the rename stays on one volume. A leftover of a crash goes first:
    // created again with other attributes than it has, it could not be opened.
    const std::string temp = target + ".tmp";
    DeleteFileA(temp.c_str());
    bool written = false;
    {
        UniqueFile file = openFile(temp, GENERIC_WRITE, 0, CREATE_ALWAYS, attributesFor(target));
        written = file && writeAll(file.get(), bytes) && FlushFileBuffers(file.get());
    }
    if (written && renameOver(temp, target)) return true;
    DeleteFileA(temp.c_str());
    return false;
}

void PrefsStorage::release() { handle_->file.reset(); }

}  // namespace kivolt
