#pragma once
// The file underneath a PrefsFile, with the platform's semantics: Win32 share modes and
// read-only fallbacks on Windows, POSIX natively.

#include <memory>
#include <string>

namespace kivolt {

class PrefsStorage {
public:
    // Unreadable: the file exists but could not be opened, or not read to its end; `bytes`
    // are empty then, whatever part of the file was read.
    enum class Access { Missing, ReadWrite, ReadOnly, Unreadable };

    PrefsStorage();
    ~PrefsStorage();
    PrefsStorage(const PrefsStorage&) = delete;
    PrefsStorage& operator=(const PrefsStorage&) = delete;

    // Opens an existing file and reads all of it into `bytes`. The file stays open
    // (others may read it, not write it) until release() or replace().
    Access openExisting(const std::string& path, std::string& bytes);

    // Creates (or truncates) the file and keeps it open. False when it cannot be created.
    bool createEmpty(const std::string& path);

    // Crash-safe rewrite: the bytes go to a temporary file beside the file (beside the
    // target when `path` is a link), which is flushed and renamed over it, keeping the
    // file's attributes. Releases the open file first. On failure the old file is left as
    // it was and false is returned.
    bool replace(const std::string& path, const std::string& bytes);

    // Closes the open file, if any.
    void release();

private:
    struct Handle;
    std::unique_ptr<Handle> handle_;
};

}  // namespace kivolt
