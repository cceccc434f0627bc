// The committed folder.ico: the layout the start-up decoding relies on; and that the
// generator scripts still produce it and the icon probe's icon byte for byte.

#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

using Bytes = std::vector<std::uint8_t>;

constexpr std::array<int, 8> kSizes = {128, 96, 72, 64, 48, 32, 24, 16};
constexpr std::size_t kDirectorySize = 6;
constexpr std::size_t kEntrySize = 16;
constexpr std::size_t kInfoHeaderSize = 40;

const fs::path kResourceDir = fs::path(KIVOLT_SOURCE_DIR) / "src" / "resources";

Bytes readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::uint32_t u16(const Bytes& b, std::size_t at) {
    return b[at] | b[at + 1] << 8;
}

std::uint32_t u32(const Bytes& b, std::size_t at) {
    return u16(b, at) | u16(b, at + 2) << 16;
}

std::size_t maskStride(int size) {
    return (static_cast<std::size_t>(size) + 31) / 32 * 4;
}

std::size_t dibSize(int size) {
    const auto s = static_cast<std::size_t>(size);
    return kInfoHeaderSize + s * s * 4 + maskStride(size) * s;
}

std::size_t entryAt(std::size_t index) {
    return kDirectorySize + index * kEntrySize;
}

class FolderIcon : public testing::Test {
protected:
    void SetUp() override {
        ico_ = readFile(kResourceDir / "folder.ico");
        ASSERT_GE(ico_.size(), entryAt(kSizes.size())) << "folder.ico missing or cut short";
    }

    std::size_t imageOffset(std::size_t index) const { return u32(ico_, entryAt(index) + 12); }

    Bytes ico_;
};

TEST_F(FolderIcon, DirectoryListsEightSquare32BitImagesLargestFirst) {
    EXPECT_EQ(u16(ico_, 0), 0u);
    EXPECT_EQ(u16(ico_, 2), 1u) << "type 1 is an icon";
    ASSERT_EQ(u16(ico_, 4), kSizes.size());

    // The images follow the directory back to back, in directory order, up to the end.
    std::size_t expectedOffset = entryAt(kSizes.size());
    for (std::size_t i = 0; i < kSizes.size(); ++i) {
        SCOPED_TRACE("entry " + std::to_string(i));
        const std::size_t e = entryAt(i);
        EXPECT_EQ(ico_[e], kSizes[i]);
        EXPECT_EQ(ico_[e + 1], kSizes[i]);
        EXPECT_EQ(ico_[e + 2], 0) << "no palette";
        EXPECT_EQ(u16(ico_, e + 4), 1u) << "planes";
        EXPECT_EQ(u16(ico_, e + 6), 32u) << "bit count";
        EXPECT_EQ(u32(ico_, e + 8), dibSize(kSizes[i]));
        EXPECT_EQ(u32(ico_, e + 12), expectedOffset);
        expectedOffset += dibSize(kSizes[i]);
    }
    EXPECT_EQ(expectedOffset, ico_.size());
}

TEST_F(FolderIcon, EveryImageIsADibWithDoubleHeightAndAMaskMatchingItsAlpha) {
    for (std::size_t i = 0; i < kSizes.size(); ++i) {
        const int size = kSizes[i];
        SCOPED_TRACE("image of " + std::to_string(size) + " pixels");
        const std::size_t at = imageOffset(i);
        ASSERT_LE(at + dibSize(size), ico_.size());

        EXPECT_EQ(u32(ico_, at), kInfoHeaderSize) << "BITMAPINFOHEADER";
        EXPECT_EQ(u32(ico_, at + 4), static_cast<std::uint32_t>(size));
        EXPECT_EQ(u32(ico_, at + 8), static_cast<std::uint32_t>(2 * size)) << "colour + mask";
        EXPECT_EQ(u16(ico_, at + 12), 1u) << "planes";
        EXPECT_EQ(u16(ico_, at + 14), 32u) << "bit count";
        EXPECT_EQ(u32(ico_, at + 16), 0u) << "BI_RGB";

        const std::size_t pixels = at + kInfoHeaderSize;
        const std::size_t mask = pixels + static_cast<std::size_t>(size) * size * 4;
        int transparent = 0;
        int opaque = 0;
        int maskMismatches = 0;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const std::uint8_t alpha = ico_[pixels + (y * size + x) * 4 + 3];
                const bool masked = ico_[mask + y * maskStride(size) + x / 8] & (0x80 >> x % 8);
                transparent += alpha == 0;
                opaque += alpha == 255;
                maskMismatches += masked != (alpha == 0);
            }
        }
        EXPECT_GT(transparent, 0);
        EXPECT_GT(opaque, size * size / 4) << "the folder fills a good part of the square";
        EXPECT_EQ(maskMismatches, 0) << "AND mask bits are set exactly where alpha is 0";
    }
}

// Each committed icon file and the script that draws it.
struct GeneratedIcon {
    fs::path script;
    fs::path file;
};

TEST(CommittedIcons, GeneratorsReproduceTheCommittedFiles) {
    const fs::path helpers = fs::path(KIVOLT_SOURCE_DIR) / "tests" / "helpers";
    const GeneratedIcon icons[] = {
        {kResourceDir / "make_folder_icon.py", kResourceDir / "folder.ico"},
        {helpers / "make_icon_probe_icon.py", helpers / "icon_probe.ico"},
    };
    const fs::path output =
        fs::temp_directory_path() /
        ("kivolt_icon_" + std::to_string(std::hash<std::string>{}(KIVOLT_SOURCE_DIR)) + ".ico");
    std::string quotedOutput = "\"";
    quotedOutput += output.string();
    quotedOutput += '"';
    if (std::system(("python3 --version > " + quotedOutput + " 2>&1").c_str()) != 0) {
        fs::remove(output);
        GTEST_SKIP() << "python3 is not available to run the icon generators";
    }
    for (const GeneratedIcon& icon : icons) {
        SCOPED_TRACE(icon.file.string());
        const std::string command = "python3 \"" + icon.script.string() + "\" --output " + quotedOutput;
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
        const Bytes regenerated = readFile(output);
        const Bytes committed = readFile(icon.file);
        EXPECT_EQ(regenerated.size(), committed.size());
        EXPECT_TRUE(regenerated == committed) << "stale: rerun " << icon.script.filename();
    }
    fs::remove(output);
}

}  // namespace
