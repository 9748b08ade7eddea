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
    DirectoriesControls Opened(Session& on) {
        DirectoriesControls controls;
        FormLoad(on, controls);
        return controls;
    }
};

TEST_F(PathOptionsWindow, FramesOpenFromTheSessionAndNoInTheDepthFrameMeansMinusOne) {
    session.UserPaths = {"C:\\Pods", "", "D:\\More", ""};
    session.SortMode = "YES";
    session.KeepOnTop = 30;
    auto controls = Opened(session);
    EXPECT_EQ(controls.userDir, session.UserPaths);
    EXPECT_EQ(controls.keepOnTop.selected, 1);
    EXPECT_TRUE(controls.keepOnTop.textEnabled);
    EXPECT_EQ(controls.keepOnTop.text, "30");
    EXPECT_EQ(controls.folderDepth.selected, 0);
    EXPECT_FALSE(controls.folderDepth.textEnabled);
    EXPECT_EQ(controls.folderDepth.text, "-1");

    session.SortMode = "no";
    session.FolderDepth = 4;
    controls = Opened(session);
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
    EXPECT_EQ(Opened(session).folderDepth.selected, 0);
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

TEST_F(PathOptionsWindow, SavesInOrderDroppingFoldersThatAreGone) {
    RecordingStore store;
    Session recorded(*fs, store, ui);
    SetGamePaths(recorded, game.Folder());
    game.MakeFolder("Addons");
    const std::string absolute = game.Native("Addons").string();
    auto controls = Opened(recorded);
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

    // A failing store is reported once, and the run goes on with the new values.
    store.failWith = "Permission denied";
    store.writes.clear();
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
        ASSERT_EQ(browser.requests.size(), 1u);
        EXPECT_EQ(browser.requests[0], std::make_pair(std::string("C:\\Games\\MTM2"),
                                                      std::string("Pick:")));
    }
}

}  // namespace
}  // namespace marvok::pathoptions
