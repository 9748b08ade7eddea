// The rules of the "Path Options" window and the folder chooser's answers.

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "podlist/PathOptions.h"
#include "shell/FolderBrowser.h"
#include "support/FakeFolderBrowser.h"
#include "support/SessionFixture.h"

namespace marvok::pathoptions {
namespace {

// A settings store that keeps the order of the writes.
class RecordingStore final : public platform::SettingsStore {
public:
    std::optional<std::string> Read(std::string_view, std::string_view) const override {
        return std::nullopt;
    }
    std::string Write(std::string_view section, std::string_view key,
                      std::string_view value) override {
        writes.emplace_back(std::string(section), std::string(key), std::string(value));
        return failWith;
    }
    std::vector<std::tuple<std::string, std::string, std::string>> writes;
    std::string failWith;
};

class PathOptionsWindow : public test::SessionFixture {
protected:
    DirectoriesControls Opened() {
        DirectoriesControls controls;
        FormLoad(session, controls);
        return controls;
    }
};

TEST_F(PathOptionsWindow, OpensWithTheDepthFrameOffForNoLimit) {
    session.UserPaths = {"C:\\Pods", "", "D:\\More", ""};
    session.SortMode = "YES";
    session.KeepOnTop = 30;
    auto controls = Opened();
    EXPECT_EQ(controls.userDir, session.UserPaths);
    EXPECT_EQ(controls.keepOnTop.selected, 1);
    EXPECT_TRUE(controls.keepOnTop.textEnabled);
    EXPECT_EQ(controls.keepOnTop.text, "30");
    EXPECT_EQ(controls.folderDepth.selected, 0);
    EXPECT_FALSE(controls.folderDepth.textEnabled);
    EXPECT_EQ(controls.folderDepth.text, "-1");

    session.SortMode = "no";
    session.FolderDepth = 0;
    controls = Opened();
    EXPECT_EQ(controls.keepOnTop.selected, 0);
    EXPECT_FALSE(controls.keepOnTop.textEnabled);
    EXPECT_EQ(controls.folderDepth.selected, 1);
    EXPECT_TRUE(controls.folderDepth.textEnabled);
    EXPECT_EQ(controls.folderDepth.text, "0");
}

TEST_F(PathOptionsWindow, NoInTheDepthFrameShowsMinusOneButTheSortFrameKeepsItsCount) {
    session.FolderDepth = 4;
    auto controls = Opened();
    controls.keepOnTop.text = "12";
    ApplyOptionRule(controls, Frame::KeepOnTop, 1);
    ApplyOptionRule(controls, Frame::KeepOnTop, 0);
    EXPECT_EQ(controls.keepOnTop.text, "12");
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

class CountText : public ::testing::TestWithParam<std::tuple<const char*, short>> {};
TEST_P(CountText, BecomesTheKeepOnTopCount) {
    EXPECT_EQ(KeepOnTopFromText(std::get<0>(GetParam())), std::get<1>(GetParam()));
}
INSTANTIATE_TEST_SUITE_P(Texts, CountText,
                         ::testing::Values(std::make_tuple("6", short{24}),
                                           std::make_tuple("0", short{24}),
                                           std::make_tuple("ab", short{24}),
                                           std::make_tuple("", short{24}),
                                           std::make_tuple("-9", short{24}),
                                           std::make_tuple("7", short{7}),
                                           std::make_tuple("120", short{120}),
                                           std::make_tuple(" 12 ", short{12}),
                                           std::make_tuple("7.6", short{8}),
                                           std::make_tuple("6.4", short{24}),
                                           std::make_tuple("1e", short{24}),
                                           std::make_tuple("99999", short{24})));

class DepthText : public ::testing::TestWithParam<std::tuple<const char*, short>> {};
TEST_P(DepthText, BecomesTheFolderDepth) {
    EXPECT_EQ(FolderDepthFromText(std::get<0>(GetParam())), std::get<1>(GetParam()));
}
INSTANTIATE_TEST_SUITE_P(Texts, DepthText,
                         ::testing::Values(std::make_tuple("0", short{0}),
                                           std::make_tuple("-5", short{-5}),
                                           std::make_tuple("3", short{3}),
                                           std::make_tuple("-1", short{-1}),
                                           std::make_tuple("", short{-1}),
                                           std::make_tuple("x", short{-1}),
                                           std::make_tuple("-", short{-1}),
                                           std::make_tuple("2.4", short{2})));

TEST_F(PathOptionsWindow, SavesInOrderDroppingFoldersThatAreGone) {
    RecordingStore store;
    Session recorded(*fs, store, ui);
    SetGamePaths(recorded, game.Folder());
    game.MakeFolder("Addons");
    const std::string absolute = game.Native("Addons").string();
    DirectoriesControls controls;
    FormLoad(recorded, controls);
    controls.userDir = {absolute, "", game.Folder() + "/Gone", "Addons"};
    ApplyOptionRule(controls, Frame::KeepOnTop, 1);
    controls.keepOnTop.text = "6";
    ApplyOptionRule(controls, Frame::FolderDepth, 1);
    controls.folderDepth.text = "0";
    SaveSettings(recorded, controls);

    using W = std::tuple<std::string, std::string, std::string>;
    EXPECT_EQ(store.writes, (std::vector<W>{{"userDir", "path(0)", absolute},
                                            {"userDir", "path(1)", ""},
                                            {"userDir", "path(2)", ""},
                                            {"userDir", "path(3)", "Addons"},
                                            {"Prefs", "SortMode", "yes"},
                                            {"Prefs", "KeepOnTop", "24"},
                                            {"Prefs", "FolderDepth", "0"}}));
    EXPECT_EQ(recorded.UserPaths, (std::array<std::string, 4>{absolute, "", "", "Addons"}));
    EXPECT_EQ(recorded.SortMode, "yes");
    EXPECT_EQ(recorded.KeepOnTop, 24);
    EXPECT_EQ(recorded.FolderDepth, 0);
    EXPECT_TRUE(recorded.controls.Checked("menuSort"));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(PathOptionsWindow, AFailingStoreIsReportedOnceAndTheRunUsesTheNewValues) {
    RecordingStore store;
    store.failWith = "Permission denied";
    Session recorded(*fs, store, ui);
    recorded.SortMode = "yes";
    DirectoriesControls controls;
    FormLoad(recorded, controls);
    ApplyOptionRule(controls, Frame::KeepOnTop, 0);
    controls.keepOnTop.text = "40";
    SaveSettings(recorded, controls);
    EXPECT_EQ(store.writes.size(), 7u);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text.find("Permission denied"), std::string::npos);
    EXPECT_EQ(recorded.SortMode, "no");
    EXPECT_EQ(recorded.KeepOnTop, 40);
    EXPECT_FALSE(recorded.controls.Checked("menuSort"));
}

class ChosenFolder : public ::testing::TestWithParam<std::tuple<const char*, const char*>> {};
TEST_P(ChosenFolder, ComesBackWithASeparatorOnlyAtARoot) {
    test::FakeFolderBrowser browser;
    browser.answers.push_back(std::get<0>(GetParam()));
    EXPECT_EQ(mDirectoryBrowse::BrowseForFolder(browser, "C:\\Games\\MTM2", "Please select a folder:"),
              std::get<1>(GetParam()));
    ASSERT_EQ(browser.requests.size(), 1u);
    EXPECT_EQ(browser.requests[0].first, "C:\\Games\\MTM2");
    EXPECT_EQ(browser.requests[0].second, "Please select a folder:");
}
INSTANTIATE_TEST_SUITE_P(Answers, ChosenFolder,
                         ::testing::Values(std::make_tuple("C:\\", "C:\\"),
                                           std::make_tuple("C:", "C:\\"),
                                           std::make_tuple("C:\\Pods\\", "C:\\Pods"),
                                           std::make_tuple("C:\\Pods", "C:\\Pods"),
                                           std::make_tuple("/", "/"),
                                           std::make_tuple("/home/me/pods/", "/home/me/pods"),
                                           std::make_tuple("", "")));

}  // namespace
}  // namespace marvok::pathoptions
