#include "ui/icon_plan.h"

#include <gtest/gtest.h>

#include <vector>

namespace kivolt {
namespace {

TEST(IconPlanTest, OnlyPathsThatDoNotExistAreAskedForByName) {
    struct Case {
        const char* path;
        PathKind kind;
        IconRequest expected;
    };
    const Case cases[] = {
        // Asked by name, Windows would give every program the generic program icon.
        {"C:\\Tools\\app.exe", PathKind::File, IconRequest::FromFile},
        {"C:\\Docs\\brief.txt", PathKind::File, IconRequest::FromFile},
        // A file that is gone still gets the icon of its type.
        {"C:\\Gone\\app.exe", PathKind::Missing, IconRequest::FromName},
        {"C:\\Gone\\notiz", PathKind::Missing, IconRequest::FromName},
        {"", PathKind::Missing, IconRequest::FromName},
        {"C:\\Windows", PathKind::Directory, IconRequest::FolderIcon},
        {"\\\\server\\share", PathKind::Directory, IconRequest::FolderIcon},
        // Drive roots are folders, also when the drive is not there.
        {"C:\\", PathKind::Directory, IconRequest::FolderIcon},
        {"D:\\", PathKind::Missing, IconRequest::FolderIcon},
        {"d:", PathKind::Missing, IconRequest::FolderIcon},
        {"E:/", PathKind::Missing, IconRequest::FolderIcon},
        {"C:\\x", PathKind::Missing, IconRequest::FromName},
        {"1:\\", PathKind::Missing, IconRequest::FromName},
        {"C:\\\\", PathKind::Missing, IconRequest::FromName},
    };
    for (const Case& c : cases) EXPECT_EQ(iconRequestFor(c.path, c.kind), c.expected) << c.path;
}

TEST(IconPlanTest, PicturesLieWhereTheShellSaysOrInTheProgramItself) {
    const IconLocation named = {"C:\\W\\imageres.dll", -102};
    EXPECT_EQ(iconLocationFor("C:\\Docs\\a.txt", IconRequest::FromFile, named.file, named.index), named);
    EXPECT_EQ(iconLocationFor("C:\\Tools\\app.exe", IconRequest::FromFile, "", 7),
              (IconLocation{"C:\\Tools\\app.exe", 0}));
    EXPECT_EQ(iconLocationFor("C:\\Gone\\app.exe", IconRequest::FromName, "", 0), IconLocation{});
}

TEST(IconPlanTest, PictureIsTheNearestAtOrAboveTheItemSize) {
    const std::vector<int> probe = {16, 32, 48, 64};
    const std::vector<int> folder = {128, 96, 72, 64, 48, 32, 24, 16};
    const std::vector<int> small = {32, 16};
    const std::vector<int> none;
    const std::vector<int> odd = {0, -8, 256, 20};
    struct Case {
        const std::vector<int>& offered;
        int wanted;
        int expected;
    };
    const Case cases[] = {
        {probe, 16, 16}, {probe, 32, 32}, {probe, 48, 48}, {probe, 64, 64},  // exact: not scaled
        {probe, 40, 48}, {probe, 17, 32}, {probe, 63, 64},                    // the next larger, shrunk
        {folder, 40, 48}, {folder, 20, 24}, {folder, 65, 72}, {folder, 128, 128},
        {small, 48, 32}, {small, 64, 32},  // nothing large enough: the largest, enlarged
        {none, 40, 40},                    // nothing known: the item size itself
        {odd, 16, 20}, {odd, 64, 256},     // sizes below 1 are no pictures
    };
    for (const Case& c : cases) EXPECT_EQ(pictureSizeFor(c.offered, c.wanted), c.expected) << c.wanted;
}

}  // namespace
}  // namespace kivolt
