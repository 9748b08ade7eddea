#include <gtest/gtest.h>

#include "podlist/mCommonFunctions.h"
#include "podlist/mResizeWindow.h"
#include "support/SessionFixture.h"

namespace marvok {
namespace {

using podlist::mCommonFunctions::LoadPreferences;

class PreferencesTest : public test::SessionFixture {
protected:
    // The loaded numbers, then what the window shows of them as 0s and 1s.
    std::string Loaded() {
        std::string shown = std::to_string(session.ViewMode) + " " +
                            std::to_string(session.KeepOnTop) + " " +
                            std::to_string(session.FolderDepth) + " ";
        for (const char* c : {"toolbarFrame", "List1", "List3", "Label4"}) {
            shown += session.controls.Visible(c) ? '1' : '0';
        }
        for (const char* c : {"menuToolbar", "menuViewmode", "menuSort"}) {
            shown += session.controls.Checked(c) ? '1' : '0';
        }
        return shown;
    }
};

TEST_F(PreferencesTest, AFirstRunUsesTheDefaultsAndWritesNothing) {
    LoadPreferences(session);
    EXPECT_EQ(Loaded(), "2 24 -1 1101110");
    EXPECT_EQ(session.ToolbarDisplay + session.SortMode, "yesno");
    EXPECT_EQ(session.UserPaths, decltype(session.UserPaths){});
    EXPECT_EQ(settings.writes, 0);
    EXPECT_TRUE(settings.values.empty());
}

TEST_F(PreferencesTest, StoredValuesAreAppliedWithKeysMatchedIgnoringCase) {
    settings.Set("Prefs", "toolbardisplay", "no");
    settings.Set("Prefs", "ViewMode", "1");
    settings.Set("Prefs", "KeepOnTop", "10");
    settings.Set("Prefs", "SortMode", "YES");
    settings.Set("Prefs", "FolderDepth", "3");
    bool hooked = false;
    session.checkProgramShortcuts = [&](Session& s) {
        hooked = true;
        EXPECT_EQ(s.FolderDepth, 3);  // the shortcut hook runs last
    };
    LoadPreferences(session);
    EXPECT_TRUE(hooked);
    EXPECT_EQ(Loaded(), "1 10 3 0010001");
    EXPECT_EQ(session.ToolbarDisplay, "no");
    EXPECT_TRUE(session.Sorting());
    EXPECT_EQ(settings.writes, 0);
}

TEST_F(PreferencesTest, BadNumbersFallBackToTheirDefaultsAndStayStored) {
    for (const char* stored : {"abc", "", "99999", "-40000", "2.5", "1e3", "7"}) {
        settings.Set("Prefs", "ViewMode", stored);  // any other view mode is side by side
        if (std::string_view(stored) != "7") {
            settings.Set("Prefs", "keepOnTop", stored);
            settings.Set("Prefs", "FolderDepth", stored);
        }
        LoadPreferences(session);
        EXPECT_EQ(Loaded().substr(0, 8), "2 24 -1 ") << stored;
        EXPECT_EQ(settings.Get("Prefs", "ViewMode"), stored);
    }
}

TEST_F(PreferencesTest, UserFoldersThatNoLongerExistStayEmptyButStored) {
    game.MakeFolder("pods");
    settings.Set("userDir", "path(0)", game.Native("pods").string());
    settings.Set("userDir", "path(1)", game.Native("gone").string());
    settings.Set("userDir", "path(3)", "pods");  // relative to the game folder
    LoadPreferences(session);
    EXPECT_EQ(session.UserPaths,
              (decltype(session.UserPaths){game.Native("pods").string(), "", "", "pods"}));
    EXPECT_EQ(settings.Get("userDir", "path(1)"), game.Native("gone").string());
}

TEST_F(PreferencesTest, TogglesStoreTheirKeyAtOnceAndAFailedWriteIsShown) {
    for (const char* mode : {"no", "anything", "yes"}) {  // "yes" with "load" does not write back
        mResizeWindow::ApplyToolbarDisplay(session, mode, *mode == 'y' ? "load" : "");
        EXPECT_EQ(settings.Get("Prefs", "ToolbarDisplay"), "no") << mode;
    }
    settings.failWrites = "Permission denied";
    mResizeWindow::ApplyToolbarDisplay(session, "no", "");
    EXPECT_TRUE(ui.messages.size() == 1 && Said(0, "Permission denied"));  // only the failure
    EXPECT_EQ(session.ToolbarDisplay, "no");  // the window still follows the user's choice
}

TEST_F(PreferencesTest, SwitchingTheViewReloadsPodIniDroppingUnsavedChanges) {
    Pods({"a.pod", "b.pod"});
    game.Write("pod.ini", "1\r\na.pod\r\n");
    session.List1.AddItem("b.pod");  // an unsaved change
    mResizeWindow::ApplyViewMode(session, 1, "");
    EXPECT_EQ(settings.Get("Prefs", "ViewMode"), "1");
    EXPECT_EQ(session.List3.Items(), (std::vector<std::string>{"a.pod", "b.pod"}));
    EXPECT_TRUE(session.List3.Checked(0) && !session.List3.Checked(1));
    EXPECT_EQ(session.Label3, "1 of 2");
}

}  // namespace
}  // namespace marvok
