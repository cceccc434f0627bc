#include "settings/final_path.h"

#include <gtest/gtest.h>

namespace kivolt {
namespace {

TEST(FinalPath, LongPathPrefixGivesWayToThePlainForm) {
    const struct {
        const char* finalName;
        const char* plain;
    } cases[] = {
        {"\\\\?\\C:\\Users\\a\\AppData\\Roaming\\Kivolt\\Kivolt3.4.prefs",
         "C:\\Users\\a\\AppData\\Roaming\\Kivolt\\Kivolt3.4.prefs"},
        {"\\\\?\\UNC\\server\\share\\Kivolt3.4.prefs", "\\\\server\\share\\Kivolt3.4.prefs"},
        {"\\\\?\\Z:\\tmp\\target.prefs", "Z:\\tmp\\target.prefs"},
        {"C:\\plain\\path", "C:\\plain\\path"},
        {"\\\\server\\share\\file", "\\\\server\\share\\file"},
        {"\\\\?\\", ""},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(withoutLongPathPrefix(c.finalName), c.plain) << c.finalName;
}

}  // namespace
}  // namespace kivolt
