#pragma once
// A fresh folder under the system's temp folder, removed with everything in it at the end.

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

namespace kivolt::testing {

class TempFolder {
public:
    TempFolder() {
        std::random_device random;
        for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
            const auto candidate = std::filesystem::temp_directory_path() / ("kivolt-" + std::to_string(random()));
            std::error_code error;
            if (std::filesystem::create_directory(candidate, error)) path_ = candidate.string();
        }
    }
    ~TempFolder() {
        // Tests take write permission away; give it back so everything can be removed.
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ignored);
        for (const auto& entry : std::filesystem::recursive_directory_iterator(path_, ignored)) {
            std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ignored);
        }
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string file(const std::string& name) const { return path_ + "/" + name; }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

inline void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

inline std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return std::move(bytes).str();
}

inline bool exists(const std::string& path) { return std::filesystem::exists(path); }

// Tells whether a file was replaced since the watch began, as the crash-safe rewrite
// replaces it with a new one: a hard link keeps the old file in view.
class RewriteWatch {
public:
    explicit RewriteWatch(std::string path) : path_(std::move(path)), link_(path_ + ".watch") {
        std::filesystem::create_hard_link(path_, link_);
    }
    ~RewriteWatch() {
        std::error_code ignored;
        std::filesystem::remove(link_, ignored);
    }
    RewriteWatch(const RewriteWatch&) = delete;
    RewriteWatch& operator=(const RewriteWatch&) = delete;

    bool replaced() const { return !std::filesystem::equivalent(path_, link_); }

private:
    std::string path_;
    std::string link_;
};

// A symbolic link that leads to itself: it exists, but opening it fails (ELOOP), as a file
// held by another program without read sharing fails to open on Windows.
inline void makeUnopenable(const std::string& path) {
    std::filesystem::create_symlink(std::filesystem::path(path).filename(), path);
}

// Root (and any process with CAP_DAC_OVERRIDE) writes whatever the permission bits say,
// and Windows ignores them on folders: a test that takes write permission away checks that
// it really is gone.
inline bool stillWritable(const std::string& path) { return ::access(path.c_str(), W_OK) == 0; }

}  // namespace kivolt::testing
