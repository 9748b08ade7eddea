#include <gtest/gtest.h>

#include "podlist/MainWindowEvents.h"
#include "podlist/mPodini.h"
#include "support/FakeDesktop.h"
#include "support/SessionFixture.h"

namespace marvok {
namespace {

using Names = std::vector<std::string>;

class MainWindowEventsTest : public test::SessionFixture {
protected:
    test::FakeDesktop desktop;
    MainWindowEvents events{session, desktop};
};

TEST_F(MainWindowEventsTest, NewListReplacesTheMountedListByTheDefaultOne) {
    for (auto name : mPodini::StockPods()) {
        game.Write(name, "POD");
    }
    game.Write("extra.pod", "POD");
    Mount({"extra.pod"});
    EXPECT_TRUE(events.toolbar_Click(0));
    EXPECT_EQ(session.List1.Count(), 20u);
    EXPECT_EQ(session.List2.Items(), Names{"extra.pod"});
    events.menuRestore_Click(2);
    EXPECT_EQ(session.List1.Count(), 7u);
}

TEST_F(MainWindowEventsTest, ToolbarButtonsReachTheirCommandsAndTheListCommandsFocusExit) {
    Names shown;
    events.Hooks().showRegistry = [&] { shown.push_back("registry"); };
    events.Hooks().showFonts = [&] { shown.push_back("fonts"); };
    events.Hooks().showPaths = [&] { shown.push_back("paths"); };
    events.Hooks().showAbout = [&] { shown.push_back("about"); };
    Mount({"a.pod"});  // Copy (5) is the main window test's
    for (int index : {6, 7, 9, 10}) {
        EXPECT_FALSE(events.toolbar_Click(index));
    }
    EXPECT_EQ(shown, (Names{"paths", "registry", "fonts", "about"}));
    EXPECT_TRUE(events.toolbar_Click(2));  // Save
    EXPECT_EQ(game.Read("pod.ini"), "1\r\na.pod\r\n");
}

TEST_F(MainWindowEventsTest, UnwiredWindowsSendToAndTheViewTogglesDoWhatTheyShould) {
    for (int i = 1; i <= 3; ++i) {
        events.menuPrefs_Click(i);
    }
    events.menuAbout_Click();
    std::vector<int> changed;
    int registered = 0;
    events.Hooks().changeProgramShortcut = [&](int index) { changed.push_back(index); };
    events.Hooks().registerShellExtensions = [&] { ++registered; };
    for (int i = 1; i <= 5; ++i) {
        events.menuShortcuts_Click(i);
    }
    EXPECT_EQ(changed, (std::vector<int>{1, 2}));
    EXPECT_EQ(registered, 1);
    EXPECT_TRUE(desktop.events.empty());
    EXPECT_TRUE(ui.messages.empty());
    // The view toggles flip whatever was stored.
    session.ToolbarDisplay = "maybe";
    events.menuToolbar_Click();
    EXPECT_EQ(session.ToolbarDisplay, "yes");
    session.ViewMode = 7;
    events.menuViewmode_Click();
    EXPECT_EQ(session.ViewMode, 2);
    events.menuViewmode_Click();
    EXPECT_EQ(session.ViewMode, 1);
    EXPECT_FALSE(session.controls.Checked("menuViewmode"));
}

}  // namespace
}  // namespace marvok
