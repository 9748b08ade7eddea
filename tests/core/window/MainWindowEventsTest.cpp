#include <gtest/gtest.h>

#include "podlist/MainWindowEvents.h"
#include "podlist/mCommonFunctions.h"
#include "podlist/mPodini.h"
#include "support/FakeDesktop.h"
#include "support/SessionFixture.h"

namespace marvok {
namespace {

using Names = std::vector<std::string>;

class MainWindowEventsTest : public test::SessionFixture {
protected:
    // n pods p00.pod ... in the game folder.
    void ManyPods(int n) {
        for (int i = 0; i < n; ++i) {
            game.Write(Name(i), "POD");
        }
    }
    static std::string Name(int i) {
        return "p" + std::string(i < 10 ? "0" : "") + std::to_string(i) + ".pod";
    }

    test::FakeDesktop desktop;
    MainWindowEvents events{session, desktop};
};

TEST_F(MainWindowEventsTest, MountingAtThePodLimitShowsTheMessageAndMovesNothing) {
    session.GameVersion = "MTM2 Unpatched";
    for (int i = 0; i < 30; ++i) {
        session.List1.AddItem(Name(i));
    }
    session.List2.AddItem("extra.pod");
    events.List2_Click(0);
    EXPECT_EQ(session.List1.Count(), 30u);
    EXPECT_EQ(session.List2.Items(), Names{"extra.pod"});
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].title, "Pod Limit");
    EXPECT_EQ(ui.messages[0].text, "MTM2 Unpatched pod limit is 30 pods");
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Information);
    EXPECT_EQ(session.Label3, "30");
    EXPECT_EQ(session.Label4, "1");
}

TEST_F(MainWindowEventsTest, ClicksMovePodsToTheirPlaces) {
    session.List1.AddItem("b.pod");
    session.List1.AddItem("Y.pod");
    session.List2.AddItem("a.pod");
    session.List2.AddItem("z.pod");
    events.List1_Click(1);  // unmount Y.pod: alphabetical place, ignoring case
    EXPECT_EQ(session.List2.Items(), (Names{"a.pod", "Y.pod", "z.pod"}));
    events.List2_Click(0);  // mount a.pod: at the end
    EXPECT_EQ(session.List1.Items(), (Names{"b.pod", "a.pod"}));
    EXPECT_EQ(session.Label3, "2");
    EXPECT_EQ(session.Label4, "2");
}

TEST_F(MainWindowEventsTest, UnmountingAPodAlreadyListedInAnotherCaseLeavesOneCopy) {
    session.List1.AddItem("MAIN.POD");
    session.List2.AddItem("main.pod");
    events.List1_Click(0);
    EXPECT_EQ(session.List1.Count(), 0u);
    EXPECT_EQ(session.List2.Items(), Names{"main.pod"});
}

TEST_F(MainWindowEventsTest, MountingSortsAfterTheHeadWhenAlphabetizing) {
    session.SortMode = "yes";
    session.KeepOnTop = 2;
    for (const char* name : {"z.pod", "y.pod", "m.pod"}) {
        session.List1.AddItem(name);
    }
    session.List2.AddItem("b.pod");
    events.List2_Click(0);
    EXPECT_EQ(session.List1.Items(), (Names{"z.pod", "y.pod", "b.pod", "m.pod"}));
}

TEST_F(MainWindowEventsTest, SingleListClickTogglesAndUndoesTheCheckBeyondTheLimit) {
    session.ViewMode = 1;
    for (int i = 0; i < 31; ++i) {
        session.List3.AddItem(Name(i), i < 30);
    }
    events.List3_Click(30);
    EXPECT_FALSE(session.List3.Checked(30));
    EXPECT_EQ(session.List3.CheckedCount(), 30u);
    EXPECT_EQ(session.Label3, "30 of 31");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].title, "Pod Limit");

    events.List3_Click(4);  // unchecks where it stands
    EXPECT_FALSE(session.List3.Checked(4));
    EXPECT_EQ(session.List3.Item(4), Name(4));
    EXPECT_EQ(session.Label3, "29 of 31");
    events.List3_Click(30);
    EXPECT_TRUE(session.List3.Checked(30));
    EXPECT_EQ(session.Label3, "30 of 31");
    EXPECT_EQ(ui.messages.size(), 1u);
}

TEST_F(MainWindowEventsTest, NewListReplacesTheMountedListByTheDefaultOne) {
    for (auto name : mPodini::StockPods()) {
        game.Write(name, "POD");
    }
    game.Write("Fixes\\fixmore4.pod", "POD");
    game.Write("extra.pod", "POD");
    session.List1.AddItem("extra.pod");
    EXPECT_TRUE(events.toolbar_Click(0));
    ASSERT_EQ(session.List1.Count(), 20u);
    EXPECT_EQ(session.List1.Item(0), "Fixes\\fixmore4.pod");
    // The copy in the game folder is another pod than the one in Fixes.
    EXPECT_EQ(session.List2.Items(), (Names{"extra.pod", "fixmore4.pod"}));
    events.menuRestore_Click(2);
    EXPECT_EQ(session.List1.Count(), 7u);
    EXPECT_EQ(session.Label4, "15");
}

TEST_F(MainWindowEventsTest, ToolbarButtonsReachTheirCommands) {
    int registry = 0, fonts = 0, paths = 0, about = 0;
    events.Hooks().showRegistry = [&] { ++registry; };
    events.Hooks().showFonts = [&] { ++fonts; };
    events.Hooks().showPaths = [&] { ++paths; };
    events.Hooks().showAbout = [&] { ++about; };
    session.List1.AddItem("a.pod");
    EXPECT_TRUE(events.toolbar_Click(5));
    EXPECT_EQ(desktop.clipboard, "1\r\na.pod\r\n");
    EXPECT_FALSE(events.toolbar_Click(6));
    EXPECT_FALSE(events.toolbar_Click(7));
    EXPECT_FALSE(events.toolbar_Click(9));
    EXPECT_FALSE(events.toolbar_Click(10));
    EXPECT_EQ(std::vector<int>({registry, fonts, paths, about}), std::vector<int>({1, 1, 1, 1}));
    events.toolbar_Click(2);  // Save
    EXPECT_EQ(game.Read("pod.ini"), "1\r\na.pod\r\n");
}

TEST_F(MainWindowEventsTest, UnwiredWindowsAndSendToDoNothing) {
    events.menuPrefs_Click(1);
    events.menuPrefs_Click(2);
    events.menuPrefs_Click(3);
    events.menuShortcuts_Click(1);
    events.menuShortcuts_Click(3);
    events.menuShortcuts_Click(5);
    events.menuAbout_Click();
    EXPECT_TRUE(desktop.events.empty());
    EXPECT_TRUE(ui.messages.empty());

    std::vector<int> changed;
    int registered = 0;
    events.Hooks().changeProgramShortcut = [&](int index) { changed.push_back(index); };
    events.Hooks().registerShellExtensions = [&] { ++registered; };
    for (int i = 1; i <= 5; ++i) {
        events.menuShortcuts_Click(i);
    }
    EXPECT_EQ(changed, (std::vector<int>{1, 2}));
    EXPECT_EQ(registered, 1);
}

TEST_F(MainWindowEventsTest, ToolbarToggleFlipsAndStores) {
    events.menuToolbar_Click();
    EXPECT_EQ(session.ToolbarDisplay, "no");
    EXPECT_FALSE(session.controls.Visible("toolbarFrame"));
    EXPECT_FALSE(session.controls.Checked("menuToolbar"));
    EXPECT_EQ(settings.Get("Prefs", "ToolbarDisplay"), "no");
    events.menuToolbar_Click();
    EXPECT_EQ(session.ToolbarDisplay, "yes");
    EXPECT_TRUE(session.controls.Checked("menuToolbar"));
}

TEST_F(MainWindowEventsTest, SwitchingPresentationShowsPodIniAsStored) {
    ManyPods(3);
    game.Write("pod.ini", "1\r\np01.pod\r\n");
    mPodini::LoadPodList(session, "");
    events.List1_Click(0);  // unsaved change
    session.ViewMode = 7;   // any mode but 2 toggles to 2
    events.menuViewmode_Click();
    EXPECT_EQ(session.ViewMode, 2);
    events.menuViewmode_Click();
    EXPECT_EQ(session.ViewMode, 1);
    EXPECT_EQ(settings.Get("Prefs", "ViewMode"), "1");
    EXPECT_FALSE(session.controls.Checked("menuViewmode"));
    ASSERT_EQ(session.List3.Count(), 3u);
    EXPECT_EQ(session.List3.Item(0), "p01.pod");
    EXPECT_TRUE(session.List3.Checked(0));
    EXPECT_EQ(session.List3.CheckedCount(), 1u);
    EXPECT_EQ(session.Label3, "1 of 3");
}

}  // namespace
}  // namespace marvok
