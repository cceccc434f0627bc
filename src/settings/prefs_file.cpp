#include "settings/prefs_file.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <new>

namespace kivolt {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kLineEnd = "\r\n";     // written after every entry
constexpr std::string_view kLineBreaks = "\r\n";  // any run of these ends a line when read
constexpr std::string_view kBlanks = " \t";

std::string_view trimLeft(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kBlanks);
    return first == std::string_view::npos ? std::string_view{} : text.substr(first);
}

std::string_view trimRight(std::string_view text) {
    const std::size_t last = text.find_last_not_of(kBlanks);
    return last == std::string_view::npos ? std::string_view{} : text.substr(0, last + 1);
}

// Names match byte for byte, except that ASCII letters ignore case: "ö" and "Ö" differ.
char asciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool namesMatch(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](char x, char y) { return asciiLower(x) == asciiLower(y); });
}

// The program's bytes are taken as ISO-8859-1: every byte from 0x80 up becomes two.
std::string encodeUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80) {
            out += c;
        } else {
            out += static_cast<char>(0xC0 | b >> 6);
            out += static_cast<char>(0x80 | (b & 0x3F));
        }
    }
    return out;
}

bool isContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// Length of the well-formed UTF-8 sequence at `at`, or 0 when the bytes there are malformed
// (stray continuation, overlong form, surrogate, beyond U+10FFFF, cut short).
std::size_t sequenceLength(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (text.size() - at < length) return 0;
    const auto second = static_cast<unsigned char>(text[at + 1]);
    if (second < low || second > high) return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if (!isContinuation(static_cast<unsigned char>(text[at + i]))) return 0;
    }
    return length;
}

// U+0000..U+00FF become their byte, anything above "?". A malformed byte also becomes one
// "?" and decoding resumes at the next byte, so no text is swallowed silently.
std::string decodeUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            out += text[i++];
            continue;
        }
        const std::size_t length = sequenceLength(text, i);
        if (length == 2 && lead <= 0xC3) {
            out += static_cast<char>((lead & 0x1F) << 6 | (text[i + 1] & 0x3F));
        } else {
            out += '?';
        }
        i += std::max<std::size_t>(length, 1);
    }
    return out;
}

// C atoi, except that a value beyond 32 bits is clamped to INT32_MIN or INT32_MAX rather
// than left undefined: an absurd hand-edited number then stays an absurd number of the
// same sign, which the callers' own range checks handle.
int32_t atoiClamped(std::string_view text) {
    std::size_t i = text.find_first_not_of(" \t\n\v\f\r");
    if (i == std::string_view::npos) return 0;
    bool negative = false;
    if (text[i] == '+' || text[i] == '-') negative = text[i++] == '-';
    const int64_t limit = negative ? -static_cast<int64_t>(std::numeric_limits<int32_t>::min())
                                   : std::numeric_limits<int32_t>::max();
    int64_t magnitude = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        magnitude = std::min(limit, magnitude * 10 + (text[i] - '0'));
    }
    return static_cast<int32_t>(negative ? -magnitude : magnitude);
}

// CR and LF cannot be stored in a line; a written text that holds them gets blanks instead,
// so it cannot break the file into lines of its own (a stray "[group]" or key).
std::string oneLine(std::string_view text) {
    std::string out(text);
    std::replace_if(out.begin(), out.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return out;
}

void parseLine(std::string_view line, std::vector<PrefsEntry>& entries) {
    line = trimLeft(line);
    if (line.empty()) return;
    if (line.front() == ';') {
        std::string_view text = line.substr(1);
        if (text.starts_with(' ')) text.remove_prefix(1);
        entries.push_back({PrefsEntry::Kind::Comment, std::string(text), {}});
    } else if (line.front() == '[') {
        const std::size_t close = line.find(']');
        const std::size_t length = close == std::string_view::npos ? close : close - 1;
        entries.push_back({PrefsEntry::Kind::GroupHeader, std::string(line.substr(1, length)), {}});
    } else {
        const std::size_t equals = line.find('=');
        const std::string_view key = trimRight(line.substr(0, equals));
        const std::string_view value =
            equals == std::string_view::npos ? std::string_view{} : trimLeft(line.substr(equals + 1));
        entries.push_back({PrefsEntry::Kind::KeyValue, std::string(key), std::string(value)});
    }
}

}  // namespace

PrefsFile::~PrefsFile() { close(); }

// Zero bytes in the file are ordinary bytes of a line; nothing treats them as an end.
std::vector<PrefsEntry> PrefsFile::parse(std::string_view content) {
    std::vector<PrefsEntry> entries;
    std::size_t pos = 0;
    while (pos < content.size()) {
        const std::size_t end = std::min(content.find_first_of(kLineBreaks, pos), content.size());
        parseLine(content.substr(pos, end - pos), entries);
        pos = std::min(content.find_first_not_of(kLineBreaks, end), content.size());
    }
    return entries;
}

std::string PrefsFile::serialise(const std::vector<PrefsEntry>& entries, bool utf8) {
    std::size_t size = utf8 ? kByteOrderMark.size() + kLineEnd.size() : 0;
    for (const PrefsEntry& e : entries) size += e.first.size() + e.second.size() + 5;
    std::string out;
    out.reserve(size);
    if (utf8) {
        out += kByteOrderMark;
        out += kLineEnd;
    }
    for (const PrefsEntry& e : entries) {
        switch (e.kind) {
            case PrefsEntry::Kind::GroupHeader: out += '['; out += e.first; out += ']'; break;
            case PrefsEntry::Kind::Comment: out += "; "; out += e.first; break;
            case PrefsEntry::Kind::KeyValue: out += e.first; out += " = "; out += e.second; break;
        }
        out += kLineEnd;
    }
    return out;
}

bool PrefsFile::open(const std::string& path) {
    close();
    open_ = true;
    path_ = path;
    try {
        const PrefsStorage::Access access = storage_.openExisting(path, onDisk_);
        if (access == PrefsStorage::Access::Missing) return false;
        if (access == PrefsStorage::Access::Unreadable) {
            state_ = State::Unreadable;
            return false;
        }
        readOnly_ = access == PrefsStorage::Access::ReadOnly;
        std::string_view content = onDisk_;
        if (content.starts_with(kByteOrderMark)) {
            utf8_ = true;
            content.remove_prefix(kByteOrderMark.size());
        }
        entries_ = parse(content);
        state_ = State::Read;
    } catch (const std::bad_alloc&) {
        // Too big to hold: reads give defaults, and the file is kept out of reach of writes
        // so that a rewrite from the empty list cannot wipe it.
        entries_.clear();
        state_ = State::Unreadable;
    }
    return state_ == State::Read;
}

bool PrefsFile::create(const std::string& path) {
    close();
    if (!storage_.createEmpty(path)) return false;
    open_ = true;
    path_ = path;
    state_ = State::Read;
    return true;
}

bool PrefsFile::close() {
    if (!open_) return true;
    bool done = true;
    if (modified_) {
        try {
            std::string text = serialise(entries_, utf8_);
            if (state_ == State::Missing)  // created now
                done = storage_.replace(path_, text);
            else if (text != onDisk_)
                done = state_ == State::Read && !readOnly_ && storage_.replace(path_, text);
        } catch (const std::bad_alloc&) {
            done = false;  // the text could not be built: the file stays as it was
        }
    }
    storage_.release();
    reset();
    return done;
}

void PrefsFile::reset() {
    path_.clear();
    open_ = false;
    readOnly_ = false;
    modified_ = false;
    utf8_ = false;
    state_ = State::Missing;
    onDisk_ = {};
    entries_ = {};
    current_ = kGlobal;
    pending_.clear();
}

std::string PrefsFile::stored(std::string_view text) const {
    return utf8_ ? encodeUtf8(text) : std::string(text);
}

std::string PrefsFile::readable(std::string_view text) const {
    return utf8_ ? decodeUtf8(text) : std::string(text);
}

std::size_t PrefsFile::findGroup(std::string_view storedName) const {
    const auto found = std::find_if(entries_.begin(), entries_.end(), [&](const PrefsEntry& e) {
        return e.kind == PrefsEntry::Kind::GroupHeader && namesMatch(e.first, storedName);
    });
    return static_cast<std::size_t>(found - entries_.begin());
}

// The index of the first group header at or after `first`, or the end of the list.
std::size_t PrefsFile::sectionEnd(std::size_t first) const {
    const auto found = std::find_if(entries_.begin() + static_cast<std::ptrdiff_t>(first), entries_.end(),
                                    [](const PrefsEntry& e) { return e.kind == PrefsEntry::Kind::GroupHeader; });
    return static_cast<std::size_t>(found - entries_.begin());
}

std::size_t PrefsFile::findKey(std::string_view storedKey) const {
    if (!pending_.empty()) return entries_.size();
    const std::size_t first = current_ == kGlobal ? 0 : current_ + 1;
    const std::size_t end = sectionEnd(first);
    for (std::size_t i = first; i < end; ++i) {
        const PrefsEntry& e = entries_[i];
        if (e.kind == PrefsEntry::Kind::KeyValue && namesMatch(e.first, storedKey)) return i;
    }
    return entries_.size();
}

bool PrefsFile::selectGroup(std::string_view name) {
    if (!open_) return false;
    pending_.clear();
    if (name.empty()) {
        current_ = kGlobal;
        return true;
    }
    std::string wanted = stored(name);
    const std::size_t found = findGroup(wanted);
    if (found == entries_.size()) {
        pending_ = std::move(wanted);
        return false;
    }
    current_ = found;
    return true;
}

int32_t PrefsFile::readInt(std::string_view key, int32_t fallback) {
    const std::size_t found = findKey(stored(key));
    return found == entries_.size() ? fallback : atoiClamped(entries_[found].second);
}

std::string PrefsFile::readString(std::string_view key, std::string_view fallback) {
    const std::size_t found = findKey(stored(key));
    if (found == entries_.size()) return std::string(fallback);
    return readable(trimRight(trimLeft(entries_[found].second)));
}

void PrefsFile::writeInt(std::string_view key, int32_t value) { write(key, std::to_string(value)); }

void PrefsFile::writeString(std::string_view key, std::string_view value) { write(key, value); }

void PrefsFile::write(std::string_view key, std::string_view value) {
    if (!open_) return;
    try {
        std::string storedKey = stored(oneLine(key));
        std::string storedValue = stored(oneLine(value));
        if (!pending_.empty()) {
            entries_.push_back({PrefsEntry::Kind::GroupHeader, oneLine(pending_), {}});
            current_ = entries_.size() - 1;
            pending_.clear();
        }
        const std::size_t found = findKey(storedKey);
        if (found < entries_.size()) {
            entries_[found].first = std::move(storedKey);
            entries_[found].second = std::move(storedValue);
        } else {
            const std::size_t at = sectionEnd(current_ == kGlobal ? 0 : current_ + 1);
            entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(at),
                            {PrefsEntry::Kind::KeyValue, std::move(storedKey), std::move(storedValue)});
        }
        modified_ = true;
    } catch (const std::bad_alloc&) {
        // Out of memory: this one write is dropped, the rest of the file is intact.
    }
}

bool PrefsFile::rewindGroups() {
    if (!open_) return false;
    current_ = kGlobal;
    pending_.clear();
    return true;
}

bool PrefsFile::nextGroup() {
    if (!open_) return false;
    const std::size_t next = sectionEnd(current_ == kGlobal ? 0 : current_ + 1);
    if (next == entries_.size()) return false;
    current_ = next;
    return true;
}

std::string PrefsFile::groupName() const {
    return current_ == kGlobal ? std::string{} : readable(entries_[current_].first);
}

void PrefsFile::removeGroup(std::string_view name) {
    if (!open_) return;
    const std::size_t header = findGroup(stored(name));
    if (header != entries_.size()) removeGroupAt(header);
}

void PrefsFile::removeCurrentGroup() {
    if (open_ && current_ != kGlobal) removeGroupAt(current_);
}

void PrefsFile::removeGroupAt(std::size_t header) {
    const std::size_t end = sectionEnd(header + 1);
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(header),
                   entries_.begin() + static_cast<std::ptrdiff_t>(end));
    if (current_ == header) {
        current_ = kGlobal;
    } else if (current_ != kGlobal && current_ > header) {
        current_ -= end - header;
    }
    modified_ = true;
}

}  // namespace kivolt
