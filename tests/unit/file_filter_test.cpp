#include "dialogs/file_filter.h"

#include <gtest/gtest.h>

#include <string>

namespace kivolt {
namespace {

TEST(FileDialogFilter, BarsBecomeNulsAndTheListEndsInTwo) {
    using namespace std::string_literals;
    const std::string filter = fileDialogFilter("PNG/JPG/BMP|*.png;*.jpg;*.bmp");
    EXPECT_EQ(filter, "PNG/JPG/BMP\0*.png;*.jpg;*.bmp\0"s);
    EXPECT_EQ(filter.c_str()[filter.size()], '\0') << "the second NUL of the end";
    EXPECT_EQ(fileDialogFilter("A|*.a|B|*.b"), "A\0*.a\0B\0*.b\0"s);
    EXPECT_EQ(fileDialogFilter(""), "\0"s);
}

}  // namespace
}  // namespace kivolt
