#include <gtest/gtest.h>

#include <algorithm>

#include "podlist/mAvailablePods.h"
#include "shell/mCommonFunctions.h"
#include "shell/mDirectoryBrowse.h"
#include "support/SessionFixture.h"

namespace marvok {
namespace {

using mAvailablePods::RefreshAvailablePods;
using Names = std::vector<std::string>;

class DiscoveryTest : public test::SessionFixture {
protected:
    Names Unmounted() { return session.List2.Items(); }
    // A user folder beside or inside the game folder, in the form the settings window stores.
    std::string UserFolder(std::string_view relative) {
        game.MakeFolder(relative);
        return game.Native(relative).string();
    }
};

TEST_F(DiscoveryTest, EntriesAreRelativeToTheGameFolderAndStartFromAClearedList) {
    session.Label3 = session.Label4 = "zero";
    session.List2.AddItem("stale.pod");
    RefreshAvailablePods(session);  // an empty game folder still refreshes the counts
    EXPECT_TRUE(Unmounted().empty());
    EXPECT_EQ(session.Label3 + session.Label4, "00");
    // A folder named like a pod is listed and entered; a comma would come back from pod.ini as
    // two names, and other names the game cannot mount are never listed.
    Pods({"main.pod", "addons\\trucks\\Big.POD", "addons\\readme.txt", "my addons\\big.pod",
          "extra.pod\\inner.pod", "my pod.pod", "sub\\my pod.pod", "日本.pod", "a,b.pod",
          "x,y\\c.pod"});
    RefreshAvailablePods(session);
    EXPECT_EQ(Unmounted(), (Names{"addons\\trucks\\Big.POD", "extra.pod", "extra.pod\\inner.pod",
                                  "main.pod", "my addons\\big.pod"}));
}

TEST_F(DiscoveryTest, MountedPodsAreLeftOutIgnoringCaseButOtherSpellingsAreNot) {
    Pods({"main.pod", "snake.pod"});
    session.List1.AddItem("MAIN.POD");
    session.List1.AddItem(game.Native("snake.pod").string());  // the same file, another text
    RefreshAvailablePods(session);
    EXPECT_EQ(Unmounted(), Names{"snake.pod"});
    EXPECT_EQ(session.Label3 + session.Label4, "21");
}

TEST_F(DiscoveryTest, FolderDepthBoundsTheWalk) {
    Pods({"main.pod", "addons\\big.pod", "addons\\trucks\\big.pod", "mods\\trucks\\x.pod",
          "a\\b\\c\\d.pod"});
    const Names all = {"a\\b\\c\\d.pod", "addons\\big.pod", "addons\\trucks\\big.pod", "main.pod",
                       "mods\\trucks\\x.pod"};
    const std::pair<short, Names> cases[] = {
        {0, {"main.pod"}},
        {-5, {"main.pod"}},  // any other negative value behaves as 0
        {1, {"addons\\big.pod", "main.pod"}},
        {2, {"addons\\big.pod", "addons\\trucks\\big.pod", "main.pod", "mods\\trucks\\x.pod"}},
        {3, all},
        {-1, all}};
    for (const auto& [depth, found] : cases) {
        session.FolderDepth = depth;
        RefreshAvailablePods(session);
        EXPECT_EQ(Unmounted(), found) << depth;
    }
}

TEST_F(DiscoveryTest, PodsOfUserFoldersCarryTheShortFolderPath) {
    const std::string sibling =
        "..\\" + game.Native("").parent_path().filename().string() + "-pods";
    const std::string folder = UserFolder(sibling);
    game.Write(sibling + "\\sub\\x.pod", "POD");
    session.UserPaths[2] = folder + "\\";  // a trailing backslash is ignored
    session.UserPaths[0] = "";             // empty and missing slots are skipped
    session.UserPaths[1] = game.Native("nowhere").string();
    RefreshAvailablePods(session);
    const std::string shortSub = mDirectoryBrowse::GetShortPath(*fs, folder + "\\sub");
    ASSERT_FALSE(shortSub.empty());
    EXPECT_EQ(Unmounted(), Names{shortSub + "\\x.pod"});
    // The entry can be mounted.
    EXPECT_TRUE(shell::mCommonFunctions::FileExists(session, Unmounted()[0]));
    EXPECT_TRUE(ui.messages.empty());
    std::filesystem::remove_all(folder);
}

// Once when a folder is named twice; inside the game folder both forms.
TEST_F(DiscoveryTest, AUserFolderIsListedOnceBesideTheGameFolderAndInBothFormsInsideIt) {
    game.Write("user\\u.pod", "POD");
    session.FolderDepth = 0;  // the game scan must not reach the user folder here
    session.UserPaths[0] = session.UserPaths[3] = game.Native("user").string();
    for (int view : {2, 1}) {
        session.ViewMode = static_cast<short>(view);
        RefreshAvailablePods(session);
        EXPECT_EQ((view == 1 ? session.List3 : session.List2).Count(), 1u);
    }
    session.ViewMode = 2;
    session.FolderDepth = -1;
    session.UserPaths = {};
    session.UserPaths[1] = UserFolder("addons");
    game.Write("addons\\big.pod", "POD");
    RefreshAvailablePods(session);
    Names expected = {"addons\\big.pod", "user\\u.pod",
                      mDirectoryBrowse::GetShortPath(*fs, session.UserPaths[1]) + "\\big.pod"};
    Names found = Unmounted();
    std::sort(expected.begin(), expected.end());
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, expected);
}

TEST_F(DiscoveryTest, SingleListAppendsFoundPodsAfterTheMountedOnes) {
    Pods({"b.pod", "a.pod", "sub\\c.pod"});
    session.ViewMode = 1;
    session.List3.AddItem("B.POD", true);
    RefreshAvailablePods(session);
    EXPECT_EQ(session.List3.Items(), (Names{"B.POD", "a.pod", "sub\\c.pod"}));  // folder first
    EXPECT_TRUE(session.List3.Checked(0) && !session.List3.Checked(1));
    EXPECT_EQ(session.Label3, "1 of 3");
}

}  // namespace
}  // namespace marvok
