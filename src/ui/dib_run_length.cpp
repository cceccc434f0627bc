#include "ui/dib_run_length.h"

#include <algorithm>
#include <vector>

namespace kivolt {
namespace {

// The escapes that follow a zero count; any larger value starts an absolute run.
constexpr std::uint8_t kEndOfLine = 0;
constexpr std::uint8_t kEndOfBitmap = 1;
constexpr std::uint8_t kDelta = 2;

// The i-th 4-bit index of a byte sequence: high nibble first.
std::uint8_t nibble(std::uint8_t byte, int i) {
    return static_cast<std::uint8_t>(i % 2 == 0 ? byte >> 4 : byte & 0xF);
}

// The row being expanded and the cursor in it.
class RowWriter {
public:
    RowWriter(int width, int height, const IndexRowSink& sink)
        : row_(static_cast<std::size_t>(width)), height_(height), sink_(sink) {}

    bool done() const { return y_ >= height_; }

    // count pixels from the cursor on, index(i) the i-th; those past the right edge are dropped.
    template <class IndexOf>
    void put(int count, IndexOf index) {
        const auto width = static_cast<long long>(row_.size());
        for (int i = 0; i < count && x_ + i < width; ++i) row_[static_cast<std::size_t>(x_ + i)] = index(i);
        x_ += count;
    }

    // Hands the current row out and starts the next one at the left edge.
    void nextRow() {
        sink_(y_, row_.data());
        std::fill(row_.begin(), row_.end(), std::uint8_t{0});
        ++y_;
        x_ = 0;
    }

    // The delta code: right and down, keeping the column.
    void moveBy(int right, int down) {
        const long long column = x_ + right;
        for (int i = 0; i < down && !done(); ++i) nextRow();
        x_ = column;
    }

    void finish() {
        while (!done()) nextRow();
    }

private:
    std::vector<std::uint8_t> row_;
    int height_;
    const IndexRowSink& sink_;
    int y_ = 0;
    long long x_ = 0;  // may lie past the right edge; at most 255 more a code
};

}  // namespace

void expandRunLength(std::span<const std::uint8_t> data, int width, int height, int bitsPerIndex,
                     const IndexRowSink& sink) {
    RowWriter out(width, height, sink);
    std::size_t at = 0;
    const auto has = [&](std::size_t bytes) { return bytes <= data.size() - at; };
    while (!out.done() && has(2)) {
        const int count = data[at];
        const std::uint8_t value = data[at + 1];
        at += 2;
        if (count > 0) {  // an encoded run: one index, or two alternating at 4 bits
            out.put(count, [&](int i) { return bitsPerIndex == 8 ? value : nibble(value, i); });
        } else if (value == kEndOfLine) {
            out.nextRow();
        } else if (value == kEndOfBitmap) {
            break;
        } else if (value == kDelta) {
            if (!has(2)) break;
            out.moveBy(data[at], data[at + 1]);
            at += 2;
        } else {  // an absolute run of `value` indexes, padded to a 16-bit boundary
            const std::size_t bytes = bitsPerIndex == 8 ? value : (value + 1u) / 2;
            if (!has(bytes)) break;
            const std::uint8_t* run = data.data() + at;
            out.put(value, [&](int i) { return bitsPerIndex == 8 ? run[i] : nibble(run[i / 2], i); });
            at += std::min(bytes + bytes % 2, data.size() - at);
        }
    }
    out.finish();
}

}  // namespace kivolt
