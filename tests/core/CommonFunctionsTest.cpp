#include <gtest/gtest.h>

#include "podlist/mCommonFunctions.h"
#include "shell/mCommonFunctions.h"
#include "support/SessionFixture.h"

namespace marvok {
namespace {

using namespace mCommonFunctions;

TEST(PathRoutines, DriveRuleLooksAtCharactersTwoAndThree) {
    EXPECT_TRUE(IsDriveAbsolutePath("C:\\"));
    EXPECT_TRUE(IsDriveAbsolutePath("d:\\games\\x.pod"));
    EXPECT_FALSE(IsDriveAbsolutePath("C:"));
    EXPECT_FALSE(IsDriveAbsolutePath("C:x.pod"));
    EXPECT_FALSE(IsDriveAbsolutePath("\\\\server\\share"));
    EXPECT_FALSE(IsDriveAbsolutePath("\\pods\\x.pod"));
    EXPECT_FALSE(IsDriveAbsolutePath("Fixes\\a.pod"));
}

TEST(PathRoutines, EnsureIniExtension) {
    EXPECT_EQ(EnsureIniExtension("list.INI"), "list.INI");
    EXPECT_EQ(EnsureIniExtension("list.txt"), "list.txt.ini");
    EXPECT_EQ(EnsureIniExtension("mylist"), "mylist.ini");
    EXPECT_EQ(EnsureIniExtension(""), ".ini");
}

TEST(PathRoutines, StripTrailingBackslashRemovesOneAtMost) {
    EXPECT_EQ(StripTrailingBackslash("C:\\"), "C:");
    EXPECT_EQ(StripTrailingBackslash("C:\\pods\\\\"), "C:\\pods\\");
    EXPECT_EQ(StripTrailingBackslash("C:\\pods"), "C:\\pods");
    EXPECT_EQ(StripTrailingBackslash(""), "");
}

TEST(PathRoutines, CountSpacesCountsOnlyTheBlank) {
    EXPECT_EQ(CountSpaces("my pod.pod"), 1);
    EXPECT_EQ(CountSpaces("a\tb.pod"), 0);
    EXPECT_EQ(CountSpaces("  "), 2);
}

TEST(PathRoutines, StripNullsCutsAtTheFirstNul) {
    std::string s("name.pod\0\0junk", 14);
    EXPECT_EQ(StripNulls(s), "name.pod");
    EXPECT_EQ(s, "name.pod");
    std::string plain = "x";
    EXPECT_EQ(StripNulls(plain), "x");
}

class FileExistsTest : public test::SessionFixture {};

TEST_F(FileExistsTest, RelativeNamesLookUnderTheGameFolder) {
    Pods({"main.pod", "Fixes\\main.pod"});
    game.MakeFolder("addons");
    EXPECT_TRUE(session.FileExists("main.pod"));
    EXPECT_TRUE(session.FileExists("Fixes\\main.pod"));
    EXPECT_TRUE(session.FileExists("addons"));          // folders count
    EXPECT_TRUE(session.FileExists(""));                // the game folder itself
    EXPECT_FALSE(session.FileExists("Stock\\main.pod"));
    EXPECT_FALSE(session.FileExists("C:"));             // a bare drive name is relative
    EXPECT_TRUE(session.FileExists(game.Native("main.pod").string()));  // absolute
}

TEST_F(FileExistsTest, ANulInsideANameFindsNothing) {
    Pods({"main.pod"});
    EXPECT_FALSE(session.FileExists(std::string("main.pod\0.txt", 13)));
}

TEST_F(FileExistsTest, FolderExistsFindsFilesAndFolders) {
    Pods({"ini\\a.ini"});
    EXPECT_TRUE(FolderExists(*fs, game.Native("ini").string()));
    EXPECT_TRUE(FolderExists(*fs, game.Native("ini\\a.ini").string()));
    EXPECT_FALSE(FolderExists(*fs, game.Native("none").string()));
    EXPECT_FALSE(FolderExists(*fs, ""));
}

// The list's text after sorting the given range.
std::vector<std::string> Sorted(std::vector<std::string> items, long first, long last) {
    ListBox list(ListStyle::Plain);
    for (auto& item : items) {
        list.AddItem(item);
    }
    SortPodRange(list, first, last);
    return list.Items();
}

TEST(SortPodRange, SortsOnlyTheRangeByLowercasedCharacterCodes) {
    EXPECT_EQ(Sorted({"z.pod", "b.pod", "A.pod", "c.pod"}, 1, 3),
              (std::vector<std::string>{"z.pod", "A.pod", "b.pod", "c.pod"}));
    // "." before digits, "\" and "_" before letters.
    EXPECT_EQ(Sorted({"b.pod", "a_b.pod", "a1.pod", "a.pod", "a\\b.pod"}, 0, 4),
              (std::vector<std::string>{"a.pod", "a1.pod", "a\\b.pod", "a_b.pod", "b.pod"}));
}

TEST(SortPodRange, EqualEntriesFollowTheQuicksortNotAStableSort) {
    // A stable sort would keep "A" before "a"; this quicksort swaps them.
    EXPECT_EQ(Sorted({"x", "A", "a", "b"}, 0, 3), (std::vector<std::string>{"a", "A", "b", "x"}));
}

TEST(SortPodRange, BoundsOutsideTheListAreHarmless) {
    EXPECT_EQ(Sorted({"b", "a"}, 24, 1), (std::vector<std::string>{"b", "a"}));
    EXPECT_EQ(Sorted({"b", "a"}, -5, 1), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(Sorted({"b", "a"}, 0, 40), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(Sorted({}, 0, -1), std::vector<std::string>{});
}

TEST(SortPodRange, SortsLargeListsCompletely) {
    std::vector<std::string> items;
    for (int i = 0; i < 2000; ++i) {
        items.push_back("p" + std::to_string((i * 7919) % 2000) + ".pod");
    }
    auto sorted = Sorted(items, 0, 1999);
    EXPECT_TRUE(std::is_sorted(sorted.begin(), sorted.end()));
}

class MovePodTest : public test::SessionFixture {
protected:
    void Mount(int count) {
        for (int i = 0; i < count; ++i) {
            session.List1.AddItem("m" + std::to_string(i) + ".pod");
        }
    }
};

TEST_F(MovePodTest, MountingAtTheLimitShowsTheMessageAndMovesNothing) {
    session.GameVersion = "MTM2 Unpatched";
    session.PodLimit = 30;
    Mount(30);
    session.List2.AddItem("new.pod");
    MovePod(session, 0, session.List2, session.List1, "checkLimit");
    EXPECT_EQ(session.List1.Count(), 30u);
    EXPECT_EQ(session.List2.Count(), 1u);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].title, "Pod Limit");
    EXPECT_EQ(ui.messages[0].text, "MTM2 Unpatched pod limit is 30 pods");
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Information);
    EXPECT_EQ(ui.messages[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(session.Label3, "30");
}

TEST_F(MovePodTest, UnmountingDoesNotCheckTheLimit) {
    session.PodLimit = 1;
    Mount(1);
    session.List2.AddItem("a.pod");
    MovePod(session, 0, session.List1, session.List2, "");
    EXPECT_EQ(session.List2.Count(), 2u);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(MovePodTest, APodAlreadyInTheTargetIsOnlyRemovedFromTheSource) {
    session.List1.AddItem("Main.pod");
    session.List2.AddItem("MAIN.POD");
    MovePod(session, 0, session.List1, session.List2, "");
    EXPECT_EQ(session.List1.Count(), 0u);
    EXPECT_EQ(session.List2.Items(), std::vector<std::string>{"MAIN.POD"});
    EXPECT_EQ(session.Label3, "0");
    EXPECT_EQ(session.Label4, "1");
}

TEST_F(MovePodTest, UnmountedPodsLandInAlphabeticalPlace) {
    session.List1.AddItem("m.pod");
    session.List2.AddItem("a.pod");
    session.List2.AddItem("z.pod");
    MovePod(session, 0, session.List1, session.List2, "");
    EXPECT_EQ(session.List2.Items(), (std::vector<std::string>{"a.pod", "m.pod", "z.pod"}));
}

TEST_F(MovePodTest, MountedPodsGoToTheEndOrSortedAfterKeepOnTop) {
    session.PodLimit = 100;
    session.List1.AddItem("z.pod");
    session.List1.AddItem("y.pod");
    session.List1.AddItem("x.pod");
    session.List2.AddItem("a.pod");
    session.List2.AddItem("b.pod");
    MovePod(session, 1, session.List2, session.List1, "checkLimit");
    EXPECT_EQ(session.List1.Item(3), "b.pod");

    session.SortMode = "YES";
    session.KeepOnTop = 1;
    MovePod(session, 0, session.List2, session.List1, "checkLimit");
    EXPECT_EQ(session.List1.Items(),
              (std::vector<std::string>{"z.pod", "a.pod", "b.pod", "x.pod", "y.pod"}));
}

TEST_F(MovePodTest, CountsInTheSingleListReadCheckedOfAll) {
    session.ViewMode = 1;
    for (int i = 0; i < 61; ++i) {
        session.List3.AddItem("p" + std::to_string(i) + ".pod", i < 28);
    }
    UpdatePodCounts(session);
    EXPECT_EQ(session.Label3, "28 of 61");
}

}  // namespace
}  // namespace marvok
