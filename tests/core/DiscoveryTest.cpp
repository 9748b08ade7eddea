#include <gtest/gtest.h>

#include <algorithm>

#include "podlist/mAvailablePods.h"
#include "shell/mDirectoryBrowse.h"
#include "support/SessionFixture.h"
#include "support/TestNames.h"

namespace marvok {
namespace {

using mAvailablePods::RefreshAvailablePods;
using Names = std::vector<std::string>;

class DiscoveryTest : public test::SessionFixture {
protected:
    Names Unmounted() { return session.List2.Items(); }
};

TEST_F(DiscoveryTest, AnEmptyGameFolderStillRefreshesTheCounts) {
    session.Label3 = session.Label4 = "zero";
    RefreshAvailablePods(session);
    EXPECT_TRUE(Unmounted().empty());
    EXPECT_EQ(session.Label3, "0");
    EXPECT_EQ(session.Label4, "0");
}

TEST_F(DiscoveryTest, EntriesAreRelativeToTheGameFolder) {
    Pods({"main.pod", "addons\\trucks\\Big.POD", "addons\\readme.txt", "my addons\\big.pod"});
    RefreshAvailablePods(session);
    EXPECT_EQ(Unmounted(), (Names{"addons\\trucks\\Big.POD", "main.pod", "my addons\\big.pod"}));
}

// A comma would come back from pod.ini as two names.
TEST_F(DiscoveryTest, NamesThatCannotBeMountedAreNeverListed) {
    Pods({"my pod.pod", "sub\\my pod.pod", "ok.pod", "日本.pod", "a,b.pod", "x,y\\c.pod"});
    RefreshAvailablePods(session);
    EXPECT_EQ(Unmounted(), Names{"ok.pod"});
}

TEST_F(DiscoveryTest, MountedPodsAreLeftOutIgnoringCaseButOtherSpellingsAreNot) {
    Pods({"main.pod", "snake.pod"});
    session.List1.AddItem("MAIN.POD");
    session.List1.AddItem(game.Native("snake.pod").string());  // the same file, another text
    RefreshAvailablePods(session);
    EXPECT_EQ(Unmounted(), Names{"snake.pod"});
    EXPECT_EQ(session.Label3, "2");
    EXPECT_EQ(session.Label4, "1");
}

TEST_F(DiscoveryTest, AFolderNamedLikeAPodIsListedAndEntered) {
    Pods({"extra.pod\\inner.pod"});
    RefreshAvailablePods(session);
    EXPECT_EQ(Unmounted(), (Names{"extra.pod", "extra.pod\\inner.pod"}));
}

struct DepthCase {
    short depth;
    Names found;
};

class DepthTable : public DiscoveryTest, public ::testing::WithParamInterface<DepthCase> {};

TEST_P(DepthTable, FolderDepthBoundsTheWalk) {
    Pods({"main.pod", "addons\\big.pod", "addons\\trucks\\big.pod", "mods\\trucks\\x.pod",
          "a\\b\\c\\d.pod"});
    session.FolderDepth = GetParam().depth;
    RefreshAvailablePods(session);
    EXPECT_EQ(Unmounted(), GetParam().found);
}

INSTANTIATE_TEST_SUITE_P(
    Depths, DepthTable,
    ::testing::Values(
        DepthCase{0, {"main.pod"}},
        DepthCase{-5, {"main.pod"}},  // any other negative value behaves as 0
        DepthCase{1, {"addons\\big.pod", "main.pod"}},
        DepthCase{2, {"addons\\big.pod", "addons\\trucks\\big.pod", "main.pod", "mods\\trucks\\x.pod"}},
        DepthCase{-1, {"a\\b\\c\\d.pod", "addons\\big.pod", "addons\\trucks\\big.pod", "main.pod",
                       "mods\\trucks\\x.pod"}}),
    [](const auto& param) { return test::CaseName("depth " + std::to_string(param.param.depth)) + (param.param.depth < 0 ? "_below_zero" : ""); });

class UserFolderTest : public DiscoveryTest {
protected:
    // A user folder beside the game folder, in the form the settings window stores.
    std::string UserFolder(std::string_view relative) {
        game.MakeFolder(relative);
        return game.Native(relative).string();
    }
};

TEST_F(UserFolderTest, PodsOfUserFoldersCarryTheShortFolderPath) {
    const std::string sibling = "..\\" + game.Native("").parent_path().filename().string() + "-pods";
    const std::string folder = UserFolder(sibling);
    game.Write(sibling + "\\sub\\x.pod", "POD");
    session.UserPaths[2] = folder + "\\";  // a trailing backslash is ignored
    RefreshAvailablePods(session);
    const std::string shortSub = mDirectoryBrowse::GetShortPath(*fs, folder + "\\sub");
    ASSERT_FALSE(shortSub.empty());
    EXPECT_EQ(Unmounted(), Names{shortSub + "\\x.pod"});
    EXPECT_TRUE(session.FileExists(Unmounted()[0]));  // the entry can be mounted
    std::filesystem::remove_all(folder);
}

TEST_F(UserFolderTest, TwoSlotsNamingOneFolderListItsPodsOnce) {
    const std::string folder = UserFolder("user");
    game.Write("user\\u.pod", "POD");
    session.FolderDepth = 0;  // the game scan must not reach the user folder here
    session.UserPaths[0] = folder;
    session.UserPaths[3] = folder;
    RefreshAvailablePods(session);
    ASSERT_EQ(Unmounted().size(), 1u);

    session.ViewMode = 1;
    RefreshAvailablePods(session);
    EXPECT_EQ(session.List3.Count(), 1u);
}

TEST_F(UserFolderTest, AUserFolderInsideTheGameFolderIsListedInBothForms) {
    const std::string folder = UserFolder("addons");
    game.Write("addons\\big.pod", "POD");
    session.UserPaths[1] = folder;
    RefreshAvailablePods(session);
    const std::string shortForm = mDirectoryBrowse::GetShortPath(*fs, folder);
    Names expected = {"addons\\big.pod", shortForm + "\\big.pod"};
    Names found = Unmounted();
    std::sort(expected.begin(), expected.end());
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, expected);
}

TEST_F(UserFolderTest, EmptyAndMissingSlotsAreSkipped) {
    Pods({"main.pod"});
    session.UserPaths[0] = "";
    session.UserPaths[1] = game.Native("nowhere").string();
    RefreshAvailablePods(session);
    EXPECT_EQ(Unmounted(), Names{"main.pod"});
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(DiscoveryTest, SingleListAppendsFoundPodsAfterTheMountedOnes) {
    Pods({"b.pod", "a.pod", "sub\\c.pod"});
    session.ViewMode = 1;
    session.List3.AddItem("B.POD", true);
    RefreshAvailablePods(session);
    ASSERT_EQ(session.List3.Count(), 3u);
    EXPECT_EQ(session.List3.Item(0), "B.POD");
    EXPECT_EQ(session.List3.Item(1), "a.pod");       // the folder's own pods first
    EXPECT_EQ(session.List3.Item(2), "sub\\c.pod");  // then its sub-folders
    EXPECT_FALSE(session.List3.Checked(1));
    EXPECT_EQ(session.Label3, "1 of 3");
}

TEST_F(DiscoveryTest, RefreshStartsFromAClearedList) {
    Pods({"a.pod"});
    session.List2.AddItem("stale.pod");
    RefreshAvailablePods(session);
    EXPECT_EQ(Unmounted(), Names{"a.pod"});
}

}  // namespace
}  // namespace marvok
