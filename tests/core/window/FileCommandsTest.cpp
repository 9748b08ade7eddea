#include <gtest/gtest.h>

#include "podlist/FileCommands.h"
#include "podlist/mCommonFunctions.h"
#include "podlist/mPodini.h"
#include "support/FakeDesktop.h"
#include "support/FailingFileSystem.h"
#include "support/SessionFixture.h"

namespace marvok {
namespace {

using namespace FileCommands;
using Events = std::vector<std::string>;
using Names = std::vector<std::string>;

class FileCommandsTest : public test::SessionFixture {
protected:
    FileCommandsTest() {
        Pods({"a.pod", "b.pod", "c.pod"});
        game.WriteSized("monster.exe", 2925568);
        game.Write("pod.ini", "1\r\nc.pod\r\n");
        mCommonFunctions::DetectGameVersion(session);
        session.List1.AddItem("a.pod");
        session.List1.AddItem("b.pod");
    }

    test::FakeDesktop desktop;
};

TEST_F(FileCommandsTest, SaveAndExitWritesThenCloses) {
    std::string onDiskAtClose;
    desktop.observer = [&](const std::string& event) {
        if (event == "close") {
            onDiskAtClose = game.Read("pod.ini");
        }
    };
    commFile_Click(session, desktop, 1);
    EXPECT_EQ(desktop.events, Events{"close"});
    EXPECT_EQ(onDiskAtClose, "2\r\na.pod\r\nb.pod\r\n");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(FileCommandsTest, SaveAndLaunchSavesMinimisesStartsAndCloses) {
    std::string onDiskAtStart;
    desktop.observer = [&](const std::string& event) {
        if (event.rfind("start", 0) == 0) {
            onDiskAtStart = game.Read("pod.ini");
        }
    };
    commFile_Click(session, desktop, 0);
    ASSERT_EQ(desktop.events.size(), 3u);
    EXPECT_EQ(desktop.events[0], "minimize");
    EXPECT_EQ(desktop.events[1].rfind("start ", 0), 0u);
    EXPECT_EQ(desktop.events[2], "close");
    EXPECT_EQ(onDiskAtStart, "2\r\na.pod\r\nb.pod\r\n");
    ASSERT_EQ(desktop.started.size(), 1u);
    const LaunchCommand& launched = desktop.started[0];
    EXPECT_EQ(launched.workingFolder, fs->NativePath(session.GameFolder));
    // Directly, or as Wine's argument: the measured executable is the one started.
    const std::string exe = fs->NativePath(session.GameExePath);
    EXPECT_TRUE(launched.program == exe ||
                (launched.arguments.size() == 1 && launched.arguments[0] == exe));
}

TEST_F(FileCommandsTest, AGameThatCannotStartIsReportedAfterTheListWasSaved) {
    desktop.startError = "wine: not found";
    menuFile_Click(session, desktop, kSaveAndLaunch);
    EXPECT_EQ(game.Read("pod.ini"), "2\r\na.pod\r\nb.pod\r\n");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text.find("wine: not found"), std::string::npos);
    EXPECT_NE(ui.messages[0].text.find("monster.exe"), std::string::npos);
    // Shown over a restored window, then the command ends as usual.
    ASSERT_GE(desktop.events.size(), 2u);
    EXPECT_EQ(desktop.events[desktop.events.size() - 2], "restore");
    EXPECT_EQ(desktop.events.back(), "close");
}

TEST_F(FileCommandsTest, NotepadSavesMinimisesOpensPodIniAndCloses) {
    menuFile_Click(session, desktop, kNotepad);
    const std::string open = "open " + fs->NativePath(session.PodIniPath);
    EXPECT_EQ(desktop.events, (Events{"minimize", open, "close"}));
    EXPECT_EQ(game.Read("pod.ini"), "2\r\na.pod\r\nb.pod\r\n");
    EXPECT_TRUE(ui.messages.empty());
    // Without an editor the user hears of it over the restored window.
    desktop.events.clear();
    desktop.openError = "no program for text files";
    menuFile_Click(session, desktop, kNotepad);
    EXPECT_EQ(desktop.events, (Events{"minimize", open, "restore", "close"}));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text.find("no program for text files"), std::string::npos);
}

TEST_F(FileCommandsTest, NotepadWithoutPodIniDoesNothingAndCancelClosesWithoutWriting) {
    std::filesystem::remove(game.Native("pod.ini"));
    menuFile_Click(session, desktop, kNotepad);
    EXPECT_TRUE(desktop.events.empty());
    commFile_Click(session, desktop, 2);
    EXPECT_EQ(desktop.events, Events{"close"});
    EXPECT_FALSE(game.Exists("pod.ini"));
}

// A failed save must not pass for a saved one: the window stays, nothing is started or opened.
class FailedSaveTest : public FileCommandsTest, public ::testing::WithParamInterface<int> {
protected:
    FailedSaveTest() : fullDisk(*fs), fullSession(fullDisk, settings, ui) {
        fullDisk.failWith = "No space left on device";
        fullSession.GameFolder = session.GameFolder;
        fullSession.PodIniPath = session.PodIniPath;
        fullSession.GameExePath = session.GameExePath;
        fullSession.GameVersion = session.GameVersion;
        fullSession.List1.AddItem("a.pod");
    }
    test::FailingFileSystem fullDisk;
    Session fullSession;
};

TEST_P(FailedSaveTest, IsReportedWithTheFileAndTheReasonAndTheWindowStays) {
    ui.fileAnswers.push_back(game.Native("other.ini").string());  // for "Save as..."
    menuFile_Click(fullSession, desktop, GetParam());
    EXPECT_TRUE(desktop.events.empty());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Critical);
    const char* file = GetParam() == kSaveAs ? "other.ini" : "pod.ini";
    EXPECT_NE(ui.messages[0].text.find(file), std::string::npos);
    EXPECT_NE(ui.messages[0].text.find("No space left on device"), std::string::npos);
    EXPECT_EQ(game.Read("pod.ini"), "1\r\nc.pod\r\n");
}

std::string CommandName(const ::testing::TestParamInfo<int>& param) {
    static const char* const kNames[] = {"Notepad", "Open",        "Save",
                                         "SaveAs",  "SaveAndExit", "SaveAndLaunch"};
    return kNames[param.param];
}

INSTANTIATE_TEST_SUITE_P(Commands, FailedSaveTest,
                         ::testing::Values(kNotepad, kSave, kSaveAs, kSaveAndExit, kSaveAndLaunch),
                         CommandName);

TEST_F(FileCommandsTest, SaveAsAppendsIniAndLeavesPodIniAlone) {
    ui.fileAnswers.push_back(game.Native("mylist").string());
    menuFile_Click(session, desktop, kSaveAs);
    EXPECT_EQ(game.Read("mylist.ini"), "2\r\na.pod\r\nb.pod\r\n");
    EXPECT_EQ(game.Read("pod.ini"), "1\r\nc.pod\r\n");
    // No "ini" folder: the dialog starts in the game folder.
    ASSERT_EQ(ui.dialogs.size(), 1u);
    EXPECT_EQ(ui.dialogs[0].initialFolder, session.GameFolder);
}

TEST_F(FileCommandsTest, CancelledDialogsWriteAndChangeNothing) {
    game.MakeFolder("ini");
    menuFile_Click(session, desktop, kSaveAs);
    menuFile_Click(session, desktop, kOpen);
    EXPECT_EQ(ui.dialogs.size(), 2u);
    std::vector<platform::DirectoryEntry> entries;
    ASSERT_TRUE(fs->ListDirectory(session.GameFolder + "\\ini", entries));
    EXPECT_TRUE(entries.empty());
    EXPECT_FALSE(game.Exists(".ini"));
    EXPECT_EQ(game.Read("pod.ini"), "1\r\nc.pod\r\n");
    EXPECT_EQ(session.List1.Items(), (Names{"a.pod", "b.pod"}));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(desktop.events.empty());
}

TEST_F(FileCommandsTest, OpenReplacesTheMountedListAndRediscovers) {
    game.Write("ini\\race.ini", "2\r\nc.pod\r\ngone.pod\r\n");
    ui.fileAnswers.push_back(game.Native("ini\\race.ini").string());
    menuFile_Click(session, desktop, kOpen);
    EXPECT_EQ(session.List1.Items(), Names{"c.pod"});
    EXPECT_EQ(session.List2.Items(), (Names{"a.pod", "b.pod"}));
    EXPECT_EQ(session.Label3, "1");
    EXPECT_EQ(session.Label4, "2");
    EXPECT_EQ(game.Read("pod.ini"), "1\r\nc.pod\r\n");
}

TEST_F(FileCommandsTest, OpenOfAnUnreadableFileSaysSoAndKeepsTheList) {
    game.MakeFolder("ini\\folder.ini");  // chosen, but a folder cannot be read
    ui.fileAnswers.push_back(game.Native("ini\\folder.ini").string());
    menuFile_Click(session, desktop, kOpen);
    EXPECT_EQ(session.List1.Items(), (Names{"a.pod", "b.pod"}));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text.find("folder.ini"), std::string::npos);
}

TEST(ClipboardTextTest, IsThePodListFileFormatOfTheEntriesCopied) {
    ListBox mounted(ListStyle::Plain);
    EXPECT_EQ(PodListClipboardText(mounted, true, true), "0\r\n");
    mounted.AddItem("Fixes\\fixmore4.pod");
    mounted.AddItem("startup.pod");
    // Side by side the flag does not filter.
    EXPECT_EQ(PodListClipboardText(mounted, true, false),
              "2\r\nFixes\\fixmore4.pod\r\nstartup.pod\r\n");

    ListBox single(ListStyle::CheckBoxes);
    for (int i = 0; i < 61; ++i) {
        single.AddItem("p" + std::to_string(i) + ".pod", i % 2 == 0 && i < 56);
    }
    const std::string unmounted = PodListClipboardText(single, false, false);
    EXPECT_EQ(unmounted.substr(0, 10), "33\r\np1.pod");
    const std::string checked = PodListClipboardText(single, false, true);
    EXPECT_EQ(checked.substr(0, 10), "28\r\np0.pod");
    EXPECT_EQ(checked.find("p1.pod"), std::string::npos);
    EXPECT_EQ(checked.substr(checked.size() - 11), "\r\np54.pod\r\n");
}

TEST_F(FileCommandsTest, ClipboardCommandsCopyTheListOfThePresentation) {
    session.List2.AddItem("c.pod");
    menuClipboard_Click(session, desktop, 1);
    EXPECT_EQ(desktop.clipboard, "2\r\na.pod\r\nb.pod\r\n");
    menuClipboard_Click(session, desktop, 2);
    EXPECT_EQ(desktop.clipboard, "1\r\nc.pod\r\n");

    session.ViewMode = 1;
    session.List3.AddItem("x.pod", false);
    session.List3.AddItem("y.pod", true);
    menuClipboard_Click(session, desktop, 1);
    EXPECT_EQ(desktop.clipboard, "1\r\ny.pod\r\n");
    menuClipboard_Click(session, desktop, 2);
    EXPECT_EQ(desktop.clipboard, "1\r\nx.pod\r\n");
}

struct SortToggleCase {
    const char* stored;
    const char* after;
    bool checked;
};

void PrintTo(const SortToggleCase& c, std::ostream* out) {
    *out << c.stored;
}

std::string StoredName(const ::testing::TestParamInfo<SortToggleCase>& param) {
    return param.param.stored;
}

class SortToggleTest : public test::SessionFixture,
                       public ::testing::WithParamInterface<SortToggleCase> {};

TEST_P(SortToggleTest, FlipsStoresAndChecksWithoutResorting) {
    session.SortMode = GetParam().stored;
    session.List1.AddItem("z.pod");
    session.List1.AddItem("a.pod");
    menuSort_click(session);
    EXPECT_EQ(session.SortMode, GetParam().after);
    EXPECT_EQ(settings.Get("Prefs", "SortMode"), GetParam().after);
    EXPECT_EQ(session.controls.Checked("menuSort"), GetParam().checked);
    EXPECT_EQ(session.List1.Items(), (Names{"z.pod", "a.pod"}));
}

INSTANTIATE_TEST_SUITE_P(Values, SortToggleTest,
                         ::testing::Values(SortToggleCase{"no", "yes", true},
                                           SortToggleCase{"yes", "no", false},
                                           SortToggleCase{"YES", "no", false},
                                           SortToggleCase{"maybe", "no", false}),
                         StoredName);

}  // namespace
}  // namespace marvok
