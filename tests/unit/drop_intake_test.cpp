#include "shell/drop_intake.h"

#include <gtest/gtest.h>

#include <climits>
#include <map>

#include "fake_icon_source.h"

namespace kivolt {
namespace {

using testing::FakeIconSource;
using testing::namesOf;

TEST(LinkShowCommandTest, MinimisedNoActivateBecomesMinimised) {
    const std::pair<int, int> cases[] = {
        {1, 1}, {3, 3}, {7, 2}, {2, 2},  // the common ones
        {0, 0}, {4, 4}, {11, 11},        // carried over unchanged
        {12, 1}, {-1, 1}, {INT_MIN, 1}, {INT_MAX, 1},  // a damaged link: normal window
    };
    for (auto [link, expected] : cases) EXPECT_EQ(linkShowCommand(link), expected) << link;
}

// A vertical box of 32-pixel icons: CellSize 42, drops counted from y 15.
class DropIntakeTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* path : {"C:\\a\\one.exe", "C:\\a\\two.exe", "C:\\a\\three.exe"}) {
            list.selectAt(list.count() - 1);
            addShortcut(list, path, context);
        }
        redraw = false;
    }

    // Resolves the links in `links`; every other link cannot be read.
    std::optional<LinkInfo> resolve(const std::string& path) {
        resolved.push_back(path);
        auto it = links.find(path);
        if (it == links.end()) return std::nullopt;
        return it->second;
    }

    void drop(std::vector<std::string> paths, Point point) {
        onFilesDropped(list, DroppedFiles{std::move(paths), point}, context, shape, kOneColumn,
                       [this](const std::string& path) { return resolve(path); });
    }

    const Shortcut& at(int index) { return *list.selectAt(index); }

    FakeIconSource icons;
    bool redraw = false;
    ShortcutContext context{icons, 32, redraw};
    GridShape shape{32, 0, false};
    static constexpr int kOneColumn = 42;
    ShortcutList list;
    std::map<std::string, LinkInfo> links;
    std::vector<std::string> resolved;
};

TEST_F(DropIntakeTest, FilesDroppedTogetherStandInReverseOrderAtTheDropPoint) {
    drop({"C:\\d\\A.txt", "C:\\d\\B.txt", "C:\\d\\C.txt"}, {20, 15 + 2 * 42});  // gap after the second
    EXPECT_EQ(namesOf(list), (std::vector<std::string>{"one", "two", "C.txt", "B.txt", "A.txt", "three"}));
    EXPECT_TRUE(redraw);

    drop({"C:\\d\\front"}, {20, 0});  // the very start of the box
    EXPECT_EQ(at(0).name, "front");
    EXPECT_TRUE(resolved.empty());  // no link among them
}

TEST_F(DropIntakeTest, PlainFileOrFolderIsNormalWithoutParameters) {
    drop({"C:\\d\\Fotos", "C:\\d\\x.lnk.txt"}, {20, 15 + 3 * 42});
    for (int i : {3, 4}) {
        EXPECT_EQ(at(i).runMode, 0);
        EXPECT_EQ(at(i).parameters, "");
        EXPECT_EQ(at(i).runAsAdmin, 0);
    }
    EXPECT_EQ(at(3).path, "C:\\d\\x.lnk.txt");  // not a link: only the last extension counts
    EXPECT_TRUE(resolved.empty());
}

TEST_F(DropIntakeTest, LinkGivesTargetArgumentsAndRunMode) {
    links["C:\\d\\Editor.lnk"] = {3, "C:\\Windows\\notepad.exe", "/p \"x y.txt\""};
    links["C:\\d\\min.LNK"] = {2, "C:\\Tools\\min.exe", ""};
    links["C:\\d\\hidden.Lnk"] = {0, "C:\\Tools\\hidden.exe", ""};
    drop({"C:\\d\\hidden.Lnk", "C:\\d\\min.LNK", "C:\\d\\Editor.lnk"}, {20, 0});

    EXPECT_EQ(resolved, (std::vector<std::string>{"C:\\d\\hidden.Lnk", "C:\\d\\min.LNK", "C:\\d\\Editor.lnk"}));
    const Shortcut& editor = at(0);
    EXPECT_EQ(editor.path, "C:\\Windows\\notepad.exe");
    EXPECT_EQ(editor.name, "notepad");  // from the target, not the link's own name
    EXPECT_EQ(editor.parameters, "/p \"x y.txt\"");
    EXPECT_EQ(editor.runMode, 2);
    EXPECT_EQ(editor.runAsAdmin, 0);
    EXPECT_EQ(at(1).runMode, 1);
    EXPECT_EQ(at(2).runMode, -1);  // carried over: a launch passes the link's own show command
}

TEST_F(DropIntakeTest, UnreadableLinkIsAddedAsTheLinkFile) {
    links["C:\\d\\empty.lnk"] = {3, "", "-x"};  // a link to no file-system object
    drop({"C:\\d\\broken.lnk", "C:\\d\\empty.lnk"}, {20, 0});
    EXPECT_EQ(at(0).path, "C:\\d\\empty.lnk");
    EXPECT_EQ(at(1).path, "C:\\d\\broken.lnk");
    for (int i : {0, 1}) {
        EXPECT_EQ(at(i).runMode, 0);
        EXPECT_EQ(at(i).parameters, "");
    }
    EXPECT_EQ(list.count(), 5);
}

TEST_F(DropIntakeTest, EmptyNamesAddNothing) {
    drop({}, {20, 0});
    drop({""}, {20, 0});
    EXPECT_EQ(list.count(), 3);
    EXPECT_FALSE(redraw);
}

}  // namespace
}  // namespace kivolt
