#include "temp_folder_win.h"

#include <shellapi.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <vector>

#include "base/unique_handle_win.h"

namespace kivolt::test {

namespace {

// The names in a folder other than "." and "..", in the order the file system lists them.
std::vector<std::string> entryNames(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry{};
    const UniqueFind find(FindFirstFileA((folder + "*").c_str(), &entry));
    if (!find) return names;
    do {
        std::string name = entry.cFileName;
        if (name != "." && name != "..") names.push_back(std::move(name));
    } while (FindNextFileA(find.get(), &entry));
    return names;
}

}  // namespace

std::string readFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void writeFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

bool fileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string ownExecutablePath() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

std::string folderOf(const std::string& path) { return path.substr(0, path.find_last_of('\\') + 1); }

TempFolder::TempFolder() {
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    static int counter = 0;
    path_ = std::string(base) + "kivolt-test-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(++counter) + "\\";
    CreateDirectoryA(path_.c_str(), nullptr);
}

TempFolder::~TempFolder() {
    // Clear read-only attributes the tests set, then remove the tree.
    for (const std::string& name : entryNames(path_)) SetFileAttributesA((path_ + name).c_str(), FILE_ATTRIBUTE_NORMAL);
    std::string from = path_.substr(0, path_.size() - 1) + std::string(2, '\0');
    SHFILEOPSTRUCTA op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NO_UI;
    SHFileOperationA(&op);
}

std::string TempFolder::listing() const {
    std::vector<std::string> names = entryNames(path_);
    std::sort(names.begin(), names.end());
    std::string joined;
    for (const auto& name : names) joined += (joined.empty() ? "" : ",") + name;
    return joined;
}

}  // namespace kivolt::test
