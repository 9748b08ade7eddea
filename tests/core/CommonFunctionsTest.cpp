#include <gtest/gtest.h>

#include "podlist/mCommonFunctions.h"
#include "shell/mCommonFunctions.h"
#include "support/SessionFixture.h"

namespace marvok {
namespace {

using Names = std::vector<std::string>;

TEST(PathRoutines, EachGivesTheTextTheGameWould) {
    for (const char* absolute : {"C:\\", "d:\\games\\x.pod"}) {
        EXPECT_TRUE(shell::mCommonFunctions::IsDriveAbsolutePath(absolute)) << absolute;
    }
    for (const char* other : {"C:", "C:x.pod", "\\\\server\\share", "\\pods\\x.pod", "Fixes\\a"}) {
        EXPECT_FALSE(shell::mCommonFunctions::IsDriveAbsolutePath(other)) << other;
    }
    EXPECT_EQ(shell::mCommonFunctions::EnsureIniExtension("list.INI"), "list.INI");
    EXPECT_EQ(shell::mCommonFunctions::EnsureIniExtension("list.txt"), "list.txt.ini");
    EXPECT_EQ(shell::mCommonFunctions::EnsureIniExtension("mylist"), "mylist.ini");
    EXPECT_EQ(shell::mCommonFunctions::EnsureIniExtension(""), ".ini");
    EXPECT_EQ(shell::mCommonFunctions::StripTrailingBackslash("C:\\"), "C:");  // one at most
    EXPECT_EQ(shell::mCommonFunctions::StripTrailingBackslash("C:\\pods\\\\"), "C:\\pods\\");
    EXPECT_EQ(shell::mCommonFunctions::StripTrailingBackslash("C:\\pods"), "C:\\pods");
    EXPECT_EQ(shell::mCommonFunctions::StripTrailingBackslash(""), "");
    EXPECT_EQ(shell::mCommonFunctions::CountSpaces("my pod.pod"), 1);  // only the blank counts
    EXPECT_EQ(shell::mCommonFunctions::CountSpaces("a\tb.pod"), 0);
    EXPECT_EQ(shell::mCommonFunctions::CountSpaces("  "), 2);
    std::string s("name.pod\0\0junk", 14);
    EXPECT_EQ(shell::mCommonFunctions::StripNulls(s), "name.pod");
    EXPECT_EQ(s, "name.pod");
    std::string plain = "x";
    EXPECT_EQ(shell::mCommonFunctions::StripNulls(plain), "x");
}

class FileExistsTest : public test::SessionFixture {};

TEST_F(FileExistsTest, RelativeNamesLookUnderTheGameFolder) {
    Pods({"main.pod", "Fixes\\main.pod", "ini\\a.ini"});
    game.MakeFolder("addons");
    for (const std::string& name :
         Names{"main.pod", "Fixes\\main.pod", "addons", "", game.Native("main.pod").string()}) {
        // Folders and the game folder count.
        EXPECT_TRUE(shell::mCommonFunctions::FileExists(session, name)) << name;
    }
    // A bare drive name is relative; a NUL ends nothing.
    for (const std::string& name : Names{"Stock\\main.pod", "C:", {"main.pod\0.txt", 13}}) {
        EXPECT_FALSE(shell::mCommonFunctions::FileExists(session, name)) << name;
    }
    EXPECT_TRUE(shell::mCommonFunctions::FolderExists(*fs, game.Native("ini").string()));
    EXPECT_TRUE(shell::mCommonFunctions::FolderExists(*fs, game.Native("ini\\a.ini").string()));
    EXPECT_FALSE(shell::mCommonFunctions::FolderExists(*fs, game.Native("none").string()));
    EXPECT_FALSE(shell::mCommonFunctions::FolderExists(*fs, ""));
}

// The list's text after sorting the given range.
Names Sorted(Names items, long first, long last) {
    ListBox list(ListStyle::Plain);
    for (auto& item : items) {
        list.AddItem(item);
    }
    podlist::mCommonFunctions::SortPodRange(list, first, last);
    return list.Items();
}

TEST(SortPodRange, SortsOnlyTheRangeByLowercasedCharacterCodesAsAQuicksort) {
    EXPECT_EQ(Sorted({"z.pod", "b.pod", "A.pod", "c.pod"}, 1, 3),
              (Names{"z.pod", "A.pod", "b.pod", "c.pod"}));
    // "." before digits, "\" and "_" before letters.
    EXPECT_EQ(Sorted({"b.pod", "a_b.pod", "a1.pod", "a.pod", "a\\b.pod"}, 0, 4),
              (Names{"a.pod", "a1.pod", "a\\b.pod", "a_b.pod", "b.pod"}));
    // A stable sort would keep "A" before "a"; this quicksort swaps them.
    EXPECT_EQ(Sorted({"x", "A", "a", "b"}, 0, 3), (Names{"a", "A", "b", "x"}));
    // Bounds outside the list are harmless.
    EXPECT_EQ(Sorted({"b", "a"}, 24, 1), (Names{"b", "a"}));
    EXPECT_EQ(Sorted({"b", "a"}, -5, 1), (Names{"a", "b"}));
    EXPECT_EQ(Sorted({"b", "a"}, 0, 40), (Names{"a", "b"}));
    EXPECT_EQ(Sorted({}, 0, -1), Names{});
    Names items;
    for (int i = 0; i < 2000; ++i) {
        items.push_back("p" + std::to_string((i * 7919) % 2000) + ".pod");
    }
    const Names sorted = Sorted(items, 0, 1999);
    EXPECT_TRUE(std::is_sorted(sorted.begin(), sorted.end()));
}

class MovePodTest : public test::SessionFixture {};

TEST_F(MovePodTest, MountingAtTheLimitShowsTheMessageAndMovesNothing) {
    session.GameVersion = "MTM2 Unpatched";
    session.PodLimit = 30;
    for (int i = 0; i < 30; ++i) {
        session.List1.AddItem("m" + std::to_string(i) + ".pod");
    }
    session.List2.AddItem("new.pod");
    podlist::mCommonFunctions::MovePod(session, 0, session.List2, session.List1, "checkLimit");
    EXPECT_EQ(session.List1.Count(), 30u);
    EXPECT_EQ(session.List2.Count(), 1u);
    ASSERT_EQ(ui.messages.size(), 1u);
    const auto& m = ui.messages[0];
    EXPECT_EQ(m.title + "|" + m.text, "Pod Limit|MTM2 Unpatched pod limit is 30 pods");
    EXPECT_TRUE(m.icon == MessageIcon::Information && m.buttons == MessageButtons::Ok);
    EXPECT_EQ(session.Label3, "30");
    // Unmounting does not check the limit, and lands in alphabetical place.
    session.List2.AddItem("z.pod");
    session.PodLimit = 1;
    podlist::mCommonFunctions::MovePod(session, 0, session.List1, session.List2, "");
    EXPECT_EQ(session.List2.Items(), (Names{"m0.pod", "new.pod", "z.pod"}));
    EXPECT_EQ(ui.messages.size(), 1u);
}

TEST_F(MovePodTest, APodAlreadyInTheTargetIsOnlyRemovedFromTheSource) {
    Mount({"Main.pod"});
    session.List2.AddItem("MAIN.POD");
    podlist::mCommonFunctions::MovePod(session, 0, session.List1, session.List2, "");
    EXPECT_EQ(session.List1.Count(), 0u);
    EXPECT_EQ(session.List2.Items(), Names{"MAIN.POD"});
    EXPECT_EQ(session.Label3, "0");
    EXPECT_EQ(session.Label4, "1");
}

// Unsorted a pod goes to the end: that is in the window tests.
TEST_F(MovePodTest, MountedPodsAreSortedAfterKeepOnTop) {
    session.PodLimit = 100;
    Mount({"z.pod", "y.pod", "x.pod", "b.pod"});
    session.List2.AddItem("a.pod");
    session.SortMode = "YES";
    session.KeepOnTop = 1;
    podlist::mCommonFunctions::MovePod(session, 0, session.List2, session.List1, "checkLimit");
    EXPECT_EQ(session.List1.Items(), (Names{"z.pod", "a.pod", "b.pod", "x.pod", "y.pod"}));
}

}  // namespace
}  // namespace marvok
