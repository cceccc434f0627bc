#include <windows.h>

#include <gtest/gtest.h>

#include "base/text.h"

namespace kivolt {
namespace {

// The native build upper-cases with a code page 1252 table; it must equal CharUpperA.
TEST(UpperCaseOnWindows, TableMatchesCharUpperForEveryByte) {
    if (GetACP() != 1252) GTEST_SKIP() << "ANSI code page is " << GetACP() << ", not 1252";
    for (int c = 1; c < 256; ++c) {
        char text[2] = {static_cast<char>(c), 0};
        CharUpperA(text);
        EXPECT_EQ(static_cast<unsigned char>(text[0]), upperCaseCp1252(static_cast<unsigned char>(c)))
            << "byte " << c;
        EXPECT_EQ(upperCase(std::string(1, static_cast<char>(c)))[0], text[0]) << "byte " << c;
    }
}

}  // namespace
}  // namespace kivolt
