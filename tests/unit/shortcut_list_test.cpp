#include "model/shortcut_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_icon_source.h"
#include "model/shortcut_edit.h"
#include "ui/icon_keying.h"

namespace kivolt {
namespace {

using testing::FakeIconSource;
using testing::namesOf;
using Names = std::vector<std::string>;

// A list of shortcuts named by the given letters, in that order, with no current element.
void fill(ShortcutList& list, const Names& names) {
    list.clearCurrent();
    for (const std::string& name : names) list.insertAfterCurrent().name = name;
    list.clearCurrent();
}

TEST(ShortcutListTest, EmptyListHasNothingCurrent) {
    ShortcutList list;
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(list.currentIndex(), -1);
    EXPECT_EQ(list.nextElement(), nullptr);
    EXPECT_EQ(list.currentIndex(), -1);
    EXPECT_EQ(list.selectAt(0), nullptr);
    list.deleteCurrent();
    EXPECT_EQ(list.count(), 0);
}

TEST(ShortcutListTest, SelectAtOutsideTheListClearsTheCursor) {
    ShortcutList list;
    fill(list, {"A", "B", "C"});
    for (int i : {0, 1, 2}) {
        ASSERT_NE(list.selectAt(i), nullptr);
        EXPECT_EQ(list.selectAt(i)->name, Names({"A", "B", "C"})[i]);
        EXPECT_EQ(list.currentIndex(), i);
    }
    for (int i : {-1, 3, 100}) {
        list.selectAt(1);
        EXPECT_EQ(list.selectAt(i), nullptr) << i;
        EXPECT_EQ(list.currentIndex(), -1) << i;
        EXPECT_EQ(list.current(), nullptr) << i;
    }
}

TEST(ShortcutListTest, WalkVisitsAllAndStaysOnTheLast) {
    ShortcutList list;
    fill(list, {"A", "B", "C"});
    list.selectAt(1);
    list.clearCurrent();
    Names seen;
    while (Shortcut* s = list.nextElement()) seen.push_back(s->name);
    EXPECT_EQ(seen, Names({"A", "B", "C"}));
    EXPECT_EQ(list.currentIndex(), 2);
    EXPECT_EQ(list.nextElement(), nullptr);
    EXPECT_EQ(list.currentIndex(), 2);
}

TEST(ShortcutListTest, InsertAfterCurrentOrAtTheFront) {
    ShortcutList list;
    list.insertAfterCurrent().name = "A";  // empty list: at the front, becomes current
    EXPECT_EQ(list.currentIndex(), 0);
    list.insertAfterCurrent().name = "B";  // after A
    list.insertAfterCurrent().name = "C";  // after B
    EXPECT_EQ(namesOf(list), Names({"A", "B", "C"}));
    EXPECT_EQ(list.currentIndex(), 2);

    list.clearCurrent();
    list.insertAfterCurrent().name = "F";
    EXPECT_EQ(list.currentIndex(), 0);
    list.selectAt(1);
    Shortcut& x = list.insertAfterCurrent();
    x.name = "X";
    EXPECT_EQ(namesOf(list), Names({"F", "A", "X", "B", "C"}));
    EXPECT_EQ(list.current(), &x);
    EXPECT_EQ(list.currentIndex(), 2);
}

TEST(ShortcutListTest, NewShortcutStartsZeroedAndEmpty) {
    ShortcutList list;
    Shortcut& s = list.insertAfterCurrent();
    EXPECT_FALSE(s.image.has_value());
    EXPECT_EQ(s.icon, nullptr);
    EXPECT_TRUE(s.path.empty() && s.parameters.empty() && s.name.empty());
    EXPECT_EQ(s.cellX | s.cellY | s.runAsAdmin | s.runMode, 0);
}

TEST(ShortcutListTest, DeleteCurrentMovesToPredecessorElseSuccessor) {
    ShortcutList list;
    fill(list, {"A", "B", "C"});

    list.selectAt(1);
    list.deleteCurrent();  // B: predecessor A becomes current
    EXPECT_EQ(namesOf(list), Names({"A", "C"}));
    EXPECT_EQ(list.currentIndex(), 0);

    list.deleteCurrent();  // A, the first: successor C becomes current
    EXPECT_EQ(namesOf(list), Names({"C"}));
    EXPECT_EQ(list.currentIndex(), 0);
    EXPECT_EQ(list.current()->name, "C");

    list.deleteCurrent();  // the only one: none
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(list.currentIndex(), -1);
}

TEST(ShortcutListTest, OtherElementsKeepTheirAddressesThroughEdits) {
    ShortcutList list;
    fill(list, {"A", "B", "C", "D"});
    Shortcut* c = list.selectAt(2);
    list.selectAt(0);
    list.deleteCurrent();
    const Shortcut* b = list.selectAt(0);
    list.selectAt(2);  // D
    list.moveCurrentBefore(b);
    EXPECT_EQ(namesOf(list), Names({"D", "B", "C"}));
    EXPECT_EQ(c->name, "C");
    EXPECT_EQ(list.selectAt(2), c);
}

TEST(ShortcutListTest, MoveCurrentBeforeAndAfter) {
    struct Case {
        int source;
        int target;
        bool after;
        Names expected;
    };
    const Case cases[] = {
        {0, 2, false, {"B", "A", "C", "D"}},
        {0, 3, true, {"B", "C", "D", "A"}},
        {3, 0, false, {"D", "A", "B", "C"}},
        {2, 0, true, {"A", "C", "B", "D"}},
        {1, 1, false, {"A", "B", "C", "D"}},  // target is the current element
        {1, 1, true, {"A", "B", "C", "D"}},
        {1, 2, false, {"A", "B", "C", "D"}},  // before its own successor
        {2, 1, true, {"A", "B", "C", "D"}},   // after its own predecessor
    };
    for (const Case& c : cases) {
        ShortcutList list;
        fill(list, {"A", "B", "C", "D"});
        const Shortcut* target = list.selectAt(c.target);
        Shortcut* moved = list.selectAt(c.source);
        c.after ? list.moveCurrentAfter(target) : list.moveCurrentBefore(target);
        EXPECT_EQ(namesOf(list), c.expected) << c.source << (c.after ? " after " : " before ") << c.target;
        EXPECT_EQ(list.current(), moved);
    }
}

TEST(ShortcutListTest, MoveWithoutTargetOrCurrentDoesNothing) {
    ShortcutList list;
    fill(list, {"A", "B", "C"});
    list.selectAt(1);
    list.moveCurrentBefore(nullptr);
    list.moveCurrentAfter(nullptr);
    EXPECT_EQ(namesOf(list), Names({"A", "B", "C"}));
    EXPECT_EQ(list.currentIndex(), 1);

    Shortcut stranger;
    list.moveCurrentAfter(&stranger);
    EXPECT_EQ(namesOf(list), Names({"A", "B", "C"}));

    const Shortcut* a = list.selectAt(0);
    list.clearCurrent();
    list.moveCurrentAfter(a);
    EXPECT_EQ(namesOf(list), Names({"A", "B", "C"}));
    EXPECT_EQ(list.currentIndex(), -1);
}

// --- addShortcut, removeShortcut, moveShortcut ---

class ShortcutEditTest : public ::testing::Test {
protected:
    FakeIconSource icons;
    bool redraw = false;
    ShortcutContext context{icons, 32, redraw};
    ShortcutList list;
};

TEST_F(ShortcutEditTest, AddDerivesTheNameFromThePath) {
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\Tools\\TOOL.EXE", "TOOL"},
        {"C:\\Tools\\Editor.exe", "Editor"},
        {"C:\\Tools\\setup.Exe", "setup"},
        {"C:\\Tools\\tool.exe.bak", "tool.exe.bak"},
        {"C:\\Tools\\notes.txt", "notes.txt"},
        {"C:\\Tools\\EXE", "EXE"},
        {"C:\\Tools\\.exe", ""},
        {"D:\\", ""},
        {"", ""},
    };
    for (const auto& [path, name] : cases) {
        list.clearCurrent();
        const Shortcut& s = addShortcut(list, path, context);
        EXPECT_EQ(s.name, name) << path;
        EXPECT_EQ(s.path, path);
    }
}

TEST_F(ShortcutEditTest, AddFetchesRendersAndKeysTheIcon) {
    const Shortcut& s = addShortcut(list, "C:\\Tools\\app.exe", context);
    EXPECT_TRUE(redraw);
    EXPECT_EQ(icons.requestedPaths, std::vector<std::string>({"C:\\Tools\\app.exe"}));
    EXPECT_EQ(icons.renderedSizes, std::vector<int>({32}));
    EXPECT_EQ(s.icon, FakeIconSource::handle(1));
    ASSERT_TRUE(s.image.has_value());
    EXPECT_EQ(s.image->width, 32);
    Image image = *s.image;
    // The fake leaves the left half transparent: keyed to opaque magenta.
    const std::uint8_t* soft = image.view().pixel(0, 0);
    EXPECT_EQ((std::vector<int>{soft[0], soft[1], soft[2], soft[3]}), (std::vector<int>{255, 0, 255, 255}));
    const std::uint8_t* hard = image.view().pixel(31, 31);
    EXPECT_EQ(hard[0], 128);

    const Shortcut& root = addShortcut(list, "D:\\", context);
    EXPECT_EQ(root.icon, FakeIconSource::kFolderIcon);
}

TEST_F(ShortcutEditTest, AddWithoutIconStillAddsTheShortcut) {
    const Shortcut& s = addShortcut(list, "nothing", context);
    EXPECT_EQ(s.icon, nullptr);
    EXPECT_FALSE(s.image.has_value());
    EXPECT_EQ(list.count(), 1);
    EXPECT_TRUE(redraw);
}

TEST_F(ShortcutEditTest, AddInsertsAfterTheCursorAndAllowsDuplicates) {
    addShortcut(list, "a.exe", context);
    addShortcut(list, "b.exe", context);
    list.selectAt(0);
    addShortcut(list, "a.exe", context);
    EXPECT_EQ(namesOf(list), Names({"a", "a", "b"}));
    EXPECT_EQ(list.currentIndex(), 1);
    // After a full walk the cursor is on the last element, so an add lands at the end.
    list.clearCurrent();
    while (list.nextElement()) {
    }
    addShortcut(list, "z.exe", context);
    EXPECT_EQ(namesOf(list), Names({"a", "a", "b", "z"}));
}

TEST_F(ShortcutEditTest, RemoveReleasesOwnIconsAndDeletes) {
    addShortcut(list, "a.exe", context);
    addShortcut(list, "D:\\", context);
    addShortcut(list, "nothing", context);
    redraw = false;

    removeShortcut(list, 0, context);
    EXPECT_EQ(icons.released, std::vector<IconRef>({FakeIconSource::handle(1)}));
    EXPECT_TRUE(redraw);

    // The source decides about the shared folder icon; a null icon is not handed over.
    removeShortcut(list, 1, context);
    removeShortcut(list, 0, context);
    EXPECT_EQ(icons.released, std::vector<IconRef>({FakeIconSource::handle(1), FakeIconSource::kFolderIcon}));
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(list.currentIndex(), -1);
}

TEST_F(ShortcutEditTest, RemoveWithAnInvalidIndexDoesNothing) {
    addShortcut(list, "a.exe", context);
    addShortcut(list, "b.exe", context);
    redraw = false;
    for (int index : {-1, 2, 50}) removeShortcut(list, index, context);
    EXPECT_EQ(namesOf(list), Names({"a", "b"}));
    EXPECT_TRUE(icons.released.empty());
    EXPECT_FALSE(redraw);
}

TEST(MoveShortcutTest, SlotsOfFourShortcuts) {
    struct Case {
        int source;
        int slot;
        Names expected;
    };
    const Case cases[] = {
        {0, 3, {"B", "C", "A", "D"}},
        {0, 4, {"B", "C", "D", "A"}},
        {0, 9, {"B", "C", "D", "A"}},
        {3, 0, {"D", "A", "B", "C"}},
        {2, 1, {"A", "C", "B", "D"}},
        {1, 1, {"A", "B", "C", "D"}},
        {1, 2, {"A", "B", "C", "D"}},
        {3, 4, {"A", "B", "C", "D"}},   // already last
        {1, -1, {"A", "B", "C", "D"}},
        {-1, 2, {"A", "B", "C", "D"}},  // no such source
        {4, 0, {"A", "B", "C", "D"}},
    };
    for (const Case& c : cases) {
        ShortcutList list;
        fill(list, {"A", "B", "C", "D"});
        moveShortcut(list, c.source, c.slot);
        EXPECT_EQ(namesOf(list), c.expected) << "source " << c.source << " slot " << c.slot;
    }
}

TEST(MoveShortcutTest, EmptyListStaysEmpty) {
    ShortcutList list;
    moveShortcut(list, 0, 0);
    moveShortcut(list, 0, 1);
    EXPECT_EQ(list.count(), 0);
}

}  // namespace
}  // namespace kivolt
