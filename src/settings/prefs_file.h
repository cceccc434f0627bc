#pragma once
// Reader and writer of the INI-like prefs file. The whole file is loaded at open, edited in
// memory and written back at close, only if something was written.

#include <cstddef>
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
    friend bool operator==(const PrefsEntry&, const PrefsEntry&) = default;
};

class PrefsFile {
public:
    // What open() found: no file; a file that could not be opened or not read to its end
    // (it holds no entries then, and is never written); a file read whole.
    enum class State { Missing, Unreadable, Read };

    PrefsFile() = default;
    ~PrefsFile();
    PrefsFile(const PrefsFile&) = delete;
    PrefsFile& operator=(const PrefsFile&) = delete;

    // True when the file exists and was read. A missing file still counts as open: reads
    // give their defaults and a write makes close() create it. So does an unreadable one,
    // which is never written; state() tells the three apart.
    bool open(const std::string& path);
    // Creates (truncates) the file; it is open, empty and in plain mode afterwards.
    bool create(const std::string& path);
    // Writes the file back if something was written and the text differs from what the file
    // holds; closes it. False when such a write was due but could not be done (the file is
    // read only, held by another program, unreadable, or the disk is full): the file is
    // left as it was.
    bool close();
    // Of the file opened last; Missing while none is open.
    State state() const { return state_; }

    // An empty name selects the global section. An unknown name becomes pending: reads
    // find nothing and the first write appends the group at the end.
    bool selectGroup(std::string_view name);
    int32_t readInt(std::string_view key, int32_t fallback);
    std::string readString(std::string_view key, std::string_view fallback);
    void writeInt(std::string_view key, int32_t value);
    void writeString(std::string_view key, std::string_view value);
    bool rewindGroups();
    bool nextGroup();
    std::string groupName() const;
    void removeGroup(std::string_view name);
    // Removes the current group whatever its name; the global section becomes current. A
    // name that does not survive decoding (UTF-8 mode) cannot be removed by name.
    void removeCurrentGroup();

    // The portable heart, usable on bytes alone (tests, fuzzing). `content` is the file
    // without its byte order mark; serialise() writes the mark (and an empty line) itself
    // when `utf8` is set.
    static std::vector<PrefsEntry> parse(std::string_view content);
    static std::string serialise(const std::vector<PrefsEntry>& entries, bool utf8);

private:
    static constexpr std::size_t kGlobal = static_cast<std::size_t>(-1);

    std::string stored(std::string_view text) const;
    void removeGroupAt(std::size_t header);
    std::string readable(std::string_view text) const;
    std::size_t findGroup(std::string_view storedName) const;
    std::size_t sectionEnd(std::size_t first) const;
    std::size_t findKey(std::string_view storedKey) const;
    void write(std::string_view key, std::string_view value);
    void reset();

    PrefsStorage storage_;
    std::string path_;
    bool open_ = false;
    bool readOnly_ = false;
    bool modified_ = false;
    bool utf8_ = false;
    State state_ = State::Missing;
    std::string onDisk_;  // the file's bytes as read or created; only looked at when it was there
    std::vector<PrefsEntry> entries_;
    std::size_t current_ = kGlobal;  // index of the current group header
    std::string pending_;            // stored form; group names are never empty when pending
};

}  // namespace kivolt
