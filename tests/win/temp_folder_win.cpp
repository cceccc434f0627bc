#include "temp_folder_win.h"

#include <shellapi.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <vector>

namespace kivolt::test {

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
    WIN32_FIND_DATAA entry{};
    HANDLE find = FindFirstFileA((path_ + "*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do SetFileAttributesA((path_ + entry.cFileName).c_str(), FILE_ATTRIBUTE_NORMAL);
        while (FindNextFileA(find, &entry));
        FindClose(find);
    }
    std::string from = path_.substr(0, path_.size() - 1) + std::string(2, '\0');
    SHFILEOPSTRUCTA op{};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NO_UI;
    SHFileOperationA(&op);
}

std::string TempFolder::listing() const {
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry{};
    HANDLE find = FindFirstFileA((path_ + "*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::string name = entry.cFileName;
            if (name != "." && name != "..") names.push_back(name);
        } while (FindNextFileA(find, &entry));
        FindClose(find);
    }
    std::sort(names.begin(), names.end());
    std::string joined;
    for (const auto& name : names) joined += (joined.empty() ? "" : ",") + name;
    return joined;
}

}  // namespace kivolt::test
