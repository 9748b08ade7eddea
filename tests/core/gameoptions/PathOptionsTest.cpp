// The rules of the "Path Options" window and the folder chooser's answers.

#include <gtest/gtest.h>

#include <tuple>

#include "podlist/PathOptions.h"
#include "shell/FolderBrowser.h"
#include "support/FakeFolderBrowser.h"
#include "support/SessionFixture.h"

namespace marvok::pathoptions {
namespace {

class PathOptionsWindow : public test::SessionFixture {
protected:
    DirectoriesControls Opened() {
        DirectoriesControls controls;
        FormLoad(session, controls);
        return controls;
    }
};

// How the frames open from the stored "yes" and -1 is the settings window test's.
TEST_F(PathOptionsWindow, FramesOpenFromTheSessionAndNoInTheDepthFrameMeansMinusOne) {
    session.SortMode = "YES";
    EXPECT_EQ(Opened().keepOnTop.selected, 1);
    session.SortMode = "no";
    session.FolderDepth = 4;
    auto controls = Opened();
    EXPECT_EQ(controls.keepOnTop.selected, 0);
    EXPECT_FALSE(controls.keepOnTop.textEnabled);
    EXPECT_EQ(controls.folderDepth.selected, 1);
    EXPECT_TRUE(controls.folderDepth.textEnabled);
    EXPECT_EQ(controls.folderDepth.text, "4");

    controls.keepOnTop.text = "12";
    ApplyOptionRule(controls, Frame::KeepOnTop, 1);
    ApplyOptionRule(controls, Frame::KeepOnTop, 0);
    EXPECT_EQ(controls.keepOnTop.text, "12") << "the sort frame keeps its count";
    ApplyOptionRule(controls, Frame::FolderDepth, 0);
    ApplyOptionRule(controls, Frame::FolderDepth, 1);
    EXPECT_EQ(controls.folderDepth.text, "-1");
    EXPECT_TRUE(controls.folderDepth.textEnabled);
    ApplyOptionRule(controls, Frame::FolderDepth, 2);  // no such option: nothing changes
    EXPECT_EQ(controls.folderDepth.selected, 1);

    SaveSettings(session, controls);
    EXPECT_EQ(session.FolderDepth, -1);
    EXPECT_EQ(session.KeepOnTop, 12) << "the count in a disabled box is saved all the same";
    EXPECT_EQ(Opened().folderDepth.selected, 0);
}

TEST(OptionTexts, BecomeTheKeepOnTopCountAndTheFolderDepth) {
    // The count is at least 7 (else 24); either is a whole number in a short, rounded.
    const std::tuple<const char*, short, short> cases[] = {
        {"6", 24, 6},        {"7", 7, 7},           {"0", 24, 0},          {"120", 120, 120},
        {" 12 ", 12, 12},    {"+9", 9, 9},          {"-5", 24, -5},        {"-1", 24, -1},
        {"7.6", 8, 8},       {"6.4", 24, 6},        {"19.09", 19, 19},     {"2.4", 24, 2},
        {"32767", 32767, 32767},                    {"32768", 24, -1},     {"-32768", 24, -32768},
        {"-32769", 24, -1},  {"99999", 24, -1},     {"", 24, -1},          {"ab", 24, -1},
        {"-", 24, -1},       {"1e", 24, -1},        {".", 24, -1}};
    for (const auto& [text, count, depth] : cases) {
        EXPECT_EQ(KeepOnTopFromText(text), count) << "[" << text << "]";
        EXPECT_EQ(FolderDepthFromText(text), depth) << "[" << text << "]";
    }
}

TEST_F(PathOptionsWindow, SavesDroppingFoldersThatAreGoneAndReportsAFailingStoreOnce) {
    game.MakeFolder("Addons");
    const std::string absolute = game.Native("Addons").string();
    auto controls = Opened();
    controls.userDir = {absolute, "", game.Folder() + "/Gone", "Addons"};
    ApplyOptionRule(controls, Frame::KeepOnTop, 1);
    controls.keepOnTop.text = "6";
    ApplyOptionRule(controls, Frame::FolderDepth, 1);
    controls.folderDepth.text = "0";
    SaveSettings(session, controls);
    const std::pair<const char*, std::string> saved[] = {
        {"path(0)", absolute}, {"path(1)", ""}, {"path(2)", ""}, {"path(3)", "Addons"},
        {"SortMode", "yes"}, {"KeepOnTop", "24"}, {"FolderDepth", "0"}};
    for (const auto& [key, value] : saved) {
        const char* section = std::string_view(key).starts_with("path") ? "userDir" : "Prefs";
        EXPECT_EQ(settings.Get(section, key), value) << key;
    }
    EXPECT_EQ(session.UserPaths, (std::array<std::string, 4>{absolute, "", "", "Addons"}));
    EXPECT_TRUE(ui.messages.empty());

    // The run goes on with the new values.
    settings.failWrites = "Permission denied";
    ApplyOptionRule(controls, Frame::KeepOnTop, 0);
    controls.keepOnTop.text = "40";
    SaveSettings(session, controls);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text.find("Permission denied"), std::string::npos);
    EXPECT_EQ(session.SortMode, "no");
    EXPECT_EQ(session.KeepOnTop, 40);
    EXPECT_FALSE(session.controls.Checked("menuSort"));
}

TEST(ChosenFolder, ComesBackWithASeparatorOnlyAtARoot) {
    const std::pair<const char*, const char*> cases[] = {
        {"C:\\", "C:\\"},        {"C:", "C:\\"}, {"D:/", "D:/"}, {"C:\\Pods\\", "C:\\Pods"},
        {"C:\\Pods\\/", "C:\\Pods"}, {"C:\\Pods", "C:\\Pods"}, {"/", "/"},
        {"/home/me/pods/", "/home/me/pods"},   {"", ""}};
    for (const auto& [answer, returned] : cases) {
        test::FakeFolderBrowser browser;
        browser.answers.push_back(answer);
        EXPECT_EQ(mDirectoryBrowse::BrowseForFolder(browser, "C:\\Games\\MTM2", "Pick:"), returned)
            << answer;
    }
}

}  // namespace
}  // namespace marvok::pathoptions
