#pragma once
// A fresh folder under the Windows temp directory, removed with its files afterwards.

#include <windows.h>

#include <string>

namespace kivolt::test {

std::string readFileBytes(const std::string& path);
void writeFileBytes(const std::string& path, const std::string& bytes);
bool fileExists(const std::string& path);
// The full path of this test binary.
std::string ownExecutablePath();
// The folder part of a path, with its trailing backslash.
std::string folderOf(const std::string& path);

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // Folder path with a trailing backslash.
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + name; }
    // Names of the entries in the folder, sorted.
    std::string listing() const;

private:
    std::string path_;
};

}  // namespace kivolt::test
