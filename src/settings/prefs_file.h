#pragma once
// Reader and writer of the INI-like prefs file. The whole file is loaded at open, edited in
// memory and written back at close, only if something was written.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "settings/prefs_storage.h"

namespace kivolt {

struct PrefsEntry {
    enum class Kind { GroupHeader, Comment, KeyValue };
    Kind kind = Kind::KeyValue;
    std::string first;   // group name, comment text or key (stored form: UTF-8 in UTF-8 mode)
    std::string second;  // value of a key-value entry
};

class PrefsFile {
public:
    PrefsFile() = default;
    ~PrefsFile();
    PrefsFile(const PrefsFile&) = delete;
    PrefsFile& operator=(const PrefsFile&) = delete;

    bool open(const std::string& path);
    bool create(const std::string& path);
    void close();

    bool selectGroup(std::string_view name);
    int32_t readInt(std::string_view key, int32_t fallback);
    std::string readString(std::string_view key, std::string_view fallback);
    void writeInt(std::string_view key, int32_t value);
    void writeString(std::string_view key, std::string_view value);
    bool rewindGroups();
    bool nextGroup();
    std::string groupName() const;
    void removeGroup(std::string_view name);

    // The portable heart, usable on bytes alone (tests, fuzzing).
    static std::vector<PrefsEntry> parse(std::string_view content);
    static std::string serialise(const std::vector<PrefsEntry>& entries, bool utf8);

private:
    // Implementation's choice; filled in with prefs_file.cpp.
};

}  // namespace kivolt
