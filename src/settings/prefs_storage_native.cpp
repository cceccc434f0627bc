// POSIX counterpart of the Win32 file access. POSIX has no share modes: the file is kept
// open as on Windows, but other processes are not kept from writing it meanwhile.

#include "settings/prefs_storage.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string_view>

namespace kivolt {
namespace {

class UniqueFd {
public:
    explicit UniqueFd(int fd = -1) : fd_(fd) {}
    UniqueFd(UniqueFd&& o) noexcept : fd_(o.fd_) { o.fd_ = -1; }
    UniqueFd& operator=(UniqueFd&& o) noexcept {
        reset(o.fd_);
        o.fd_ = -1;
        return *this;
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    ~UniqueFd() { reset(); }

    int get() const { return fd_; }
    explicit operator bool() const { return fd_ >= 0; }
    void reset(int fd = -1) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = fd;
    }
    // Closes now and tells whether the kernel took all the data (close can report
    // delayed write errors).
    bool closeChecked() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

bool readAll(int fd, std::string& bytes) {
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0) return true;
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Makes the rename itself durable; a failure here leaves a valid file either way.
void syncFolder(const std::string& path) {
    const UniqueFd folder(::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder) ::fsync(folder.get());
}

bool writeTemporary(const std::string& temporary, const std::string& path, std::string_view bytes) {
    UniqueFd fd(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0666));
    if (!fd) return false;
    // The new file keeps the permissions of the one it replaces.
    struct stat old {};
    if (::stat(path.c_str(), &old) == 0) ::fchmod(fd.get(), old.st_mode & 07777);
    return writeAll(fd.get(), bytes) && ::fsync(fd.get()) == 0 && fd.closeChecked();
}

// The file a symbolic link leads to, so that the rename replaces the file and not the link;
// the path itself when it is no link or leads nowhere.
std::string linkTarget(const std::string& path) {
    char resolved[PATH_MAX];
    return ::realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

}  // namespace

struct PrefsStorage::Handle {
    UniqueFd fd;
};

PrefsStorage::PrefsStorage() = default;
PrefsStorage::~PrefsStorage() = default;

PrefsStorage::Access PrefsStorage::openExisting(const std::string& path, std::string& bytes) {
    release();
    bytes.clear();
    Access access = Access::ReadWrite;
    UniqueFd fd(::open(path.c_str(), O_RDWR | O_CLOEXEC));
    if (!fd) {
        fd.reset(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
        access = Access::ReadOnly;
    }
    if (!fd) return errno == ENOENT || errno == ENOTDIR ? Access::Missing : Access::Unreadable;
    // A folder opens for reading on POSIX, but is no file (Windows refuses to open it).
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) return Access::Missing;
    bytes.reserve(static_cast<std::size_t>(info.st_size));
    // A read that fails, or ends before the size the file had when it was opened (another
    // program rewriting it in place), gives no content rather than a part taken for the whole.
    if (!readAll(fd.get(), bytes) || bytes.size() < static_cast<std::size_t>(info.st_size)) {
        bytes.clear();
        return Access::Unreadable;
    }
    handle_ = std::make_unique<Handle>(Handle{std::move(fd)});
    return access;
}

bool PrefsStorage::createEmpty(const std::string& path) {
    release();
    UniqueFd fd(::open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
    if (!fd) return false;
    handle_ = std::make_unique<Handle>(Handle{std::move(fd)});
    return true;
}

bool PrefsStorage::replace(const std::string& path, const std::string& bytes) {
    release();
    const std::string target = linkTarget(path);
    // A file that exists but may not be written is not replaced either: on Windows its
    // rewrite fails, and a rename would get round the missing permission.
    if (::access(target.c_str(), F_OK) == 0 && ::access(target.c_str(), W_OK) != 0) return false;
    const std::string temporary = target + ".tmp";
    if (!writeTemporary(temporary, target, bytes) || ::rename(temporary.c_str(), target.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    syncFolder(target);
    return true;
}

void PrefsStorage::release() { handle_.reset(); }

}  // namespace kivolt
