#include <gtest/gtest.h>

#include "podlist/FileCommands.h"
#include "podlist/mCommonFunctions.h"
#include "podlist/mPodini.h"
#include "support/FailingFileSystem.h"
#include "support/FakeDesktop.h"
#include "support/SessionFixture.h"

namespace marvok {
namespace {

using namespace FileCommands;
using Names = std::vector<std::string>;
const std::string kSaved = "2\r\na.pod\r\nb.pod\r\n";
const std::string kOnDisk = "1\r\nc.pod\r\n";

class FileCommandsTest : public test::SessionFixture {
protected:
    FileCommandsTest() {
        Pods({"a.pod", "b.pod", "c.pod"});
        game.WriteSized("monster.exe", 2925568);
        game.Write("pod.ini", kOnDisk);
        podlist::mCommonFunctions::DetectGameVersion(session);
        session.List1.AddItem("a.pod");
        session.List1.AddItem("b.pod");
        // Each event with what pod.ini then held, for the order of saving and acting.
        desktop.observer = [this](const std::string& event) {
            seen.push_back(event + " [" + game.Read("pod.ini") + "]");
        };
    }
    bool Says(std::string_view part) const {
        return ui.messages.size() == 1 && ui.messages[0].text.find(part) != std::string::npos;
    }

    test::FakeDesktop desktop;
    Names seen;
};

TEST_F(FileCommandsTest, EachSavingCommandSavesBeforeItActs) {
    const std::string exe = fs->NativePath(session.GameExePath);
    const std::string open = "open " + fs->NativePath(session.PodIniPath);
    commFile_Click(session, desktop, 1);  // save and exit
    EXPECT_EQ(seen, (Names{"close [" + kSaved + "]"}));
    game.Write("pod.ini", kOnDisk);
    seen.clear();
    commFile_Click(session, desktop, 0);  // save and launch
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0], "minimize [" + kSaved + "]");
    EXPECT_EQ(seen[1].rfind("start ", 0), 0u);
    EXPECT_EQ(seen[2], "close [" + kSaved + "]");
    ASSERT_EQ(desktop.started.size(), 1u);
    const LaunchCommand& launched = desktop.started[0];
    EXPECT_EQ(launched.workingFolder, fs->NativePath(session.GameFolder));
    // Directly, or as Wine's argument: the measured executable is the one started.
    EXPECT_TRUE(launched.program == exe ||
                (launched.arguments.size() == 1 && launched.arguments[0] == exe));
    game.Write("pod.ini", kOnDisk);
    seen.clear();
    menuFile_Click(session, desktop, kNotepad);
    EXPECT_EQ(seen, (Names{"minimize [" + kSaved + "]", open + " [" + kSaved + "]",
                           "close [" + kSaved + "]"}));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(FileCommandsTest, WhatCannotBeStartedOrOpenedIsReportedOverTheRestoredWindow) {
    desktop.startError = "wine: not found";
    menuFile_Click(session, desktop, kSaveAndLaunch);
    EXPECT_EQ(game.Read("pod.ini"), kSaved);
    EXPECT_TRUE(Says("wine: not found"));
    EXPECT_TRUE(Says("monster.exe"));
    EXPECT_EQ(Names(desktop.events.end() - 2, desktop.events.end()), (Names{"restore", "close"}));
    desktop.events.clear();
    ui.messages.clear();
    desktop.openError = "no program for text files";
    menuFile_Click(session, desktop, kNotepad);
    EXPECT_EQ(desktop.events, (Names{"minimize", "open " + fs->NativePath(session.PodIniPath),
                                     "restore", "close"}));
    EXPECT_TRUE(Says("no program for text files"));
}

TEST_F(FileCommandsTest, NotepadWithoutPodIniOrAStrayButtonDoesNothingCancelClosesWithoutWriting) {
    std::filesystem::remove(game.Native("pod.ini"));
    menuFile_Click(session, desktop, kNotepad);
    commFile_Click(session, desktop, -1);  // only the three buttons have a command
    commFile_Click(session, desktop, 3);
    EXPECT_TRUE(desktop.events.empty());
    commFile_Click(session, desktop, 2);
    EXPECT_EQ(desktop.events, Names{"close"});
    EXPECT_FALSE(game.Exists("pod.ini"));
}

// A failed save must not pass for a saved one: the window stays, nothing is started or opened.
TEST_F(FileCommandsTest, AFailedSaveIsReportedWithTheFileAndTheReasonAndTheWindowStays) {
    test::FailingFileSystem fullDisk(*fs);
    fullDisk.failWith = "No space left on device";
    Session full(fullDisk, settings, ui);
    full.GameFolder = session.GameFolder;
    full.PodIniPath = session.PodIniPath;
    full.GameExePath = session.GameExePath;
    full.GameVersion = session.GameVersion;
    full.List1.AddItem("a.pod");
    for (int command : {kNotepad, kSave, kSaveAs, kSaveAndExit, kSaveAndLaunch}) {
        ui.messages.clear();
        ui.fileAnswers = {game.Native("other.ini").string()};  // for "Save as..."
        menuFile_Click(full, desktop, command);
        EXPECT_TRUE(desktop.events.empty()) << command;
        ASSERT_EQ(ui.messages.size(), 1u) << command;
        EXPECT_EQ(ui.messages[0].icon, MessageIcon::Critical);
        EXPECT_TRUE(Says(command == kSaveAs ? "other.ini" : "pod.ini")) << command;
        EXPECT_TRUE(Says("No space left on device")) << command;
        EXPECT_EQ(game.Read("pod.ini"), kOnDisk);
    }
}

TEST_F(FileCommandsTest, SaveAsAndOpenUseTheDialogAndACancelChangesNothing) {
    ui.fileAnswers.push_back(game.Native("mylist").string());
    menuFile_Click(session, desktop, kSaveAs);
    ASSERT_EQ(ui.dialogs.size(), 1u);  // a save may name a new file, and asks before replacing one
    const FileDialogRequest& saving = ui.dialogs[0];
    EXPECT_TRUE(saving.save && !saving.fileMustExist && saving.overwritePrompt);
    EXPECT_EQ(game.Read("mylist.ini"), kSaved);
    EXPECT_EQ(game.Read("pod.ini"), kOnDisk);
    game.MakeFolder("ini");  // where the dialogs open (the pod list tests check that)
    menuFile_Click(session, desktop, kSaveAs);
    menuFile_Click(session, desktop, kOpen);
    EXPECT_EQ(ui.dialogs.size(), 3u);
    std::vector<platform::DirectoryEntry> entries;
    ASSERT_TRUE(fs->ListDirectory(session.GameFolder + "\\ini", entries));
    EXPECT_TRUE(entries.empty());
    EXPECT_FALSE(game.Exists(".ini"));
    EXPECT_EQ(game.Read("pod.ini"), kOnDisk);
    EXPECT_EQ(session.List1.Items(), (Names{"a.pod", "b.pod"}));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(desktop.events.empty());
    // A chosen file that cannot be read is reported and keeps the list.
    game.MakeFolder("ini\\folder.ini");
    ui.fileAnswers.push_back(game.Native("ini\\folder.ini").string());
    menuFile_Click(session, desktop, kOpen);
    EXPECT_EQ(session.List1.Items(), (Names{"a.pod", "b.pod"}));
    EXPECT_TRUE(Says("folder.ini"));
    // Open replaces the mounted list and finds the pods again, writing nothing.
    game.Write("ini\\race.ini", "2\r\nc.pod\r\ngone.pod\r\n");
    ui.fileAnswers.push_back(game.Native("ini\\race.ini").string());
    menuFile_Click(session, desktop, kOpen);
    EXPECT_EQ(session.List1.Items(), Names{"c.pod"});
    EXPECT_EQ(session.List2.Items(), (Names{"a.pod", "b.pod"}));
    EXPECT_EQ(session.Label3 + " " + session.Label4, "1 2");
    EXPECT_EQ(game.Read("pod.ini"), kOnDisk);
}

TEST_F(FileCommandsTest, TheClipboardGetsThePodListFileOfTheEntriesCopied) {
    const auto copied = [&](int index) {
        menuClipboard_Click(session, desktop, index);
        return desktop.clipboard;
    };
    EXPECT_EQ(copied(0) + copied(3), "") << "no such items";
    EXPECT_EQ(copied(2), "0\r\n");
    session.List2.AddItem("c.pod");
    EXPECT_EQ(copied(1), kSaved);
    EXPECT_EQ(copied(2), "1\r\nc.pod\r\n");
    // In the single list the marks pick the entries and give the count.
    Single({{"x.pod", false}, {"y.pod", true}, {"z.pod", true}});
    EXPECT_EQ(copied(1), "2\r\ny.pod\r\nz.pod\r\n");
    EXPECT_EQ(copied(2), "1\r\nx.pod\r\n");
}

TEST_F(FileCommandsTest, SortFlipsStoresAndChecksWithoutResorting) {
    const std::pair<const char*, const char*> cases[] = {
        {"no", "yes"}, {"yes", "no"}, {"YES", "no"}, {"maybe", "no"}};
    session.List1.Clear();
    session.List1.AddItem("z.pod");
    session.List1.AddItem("a.pod");
    for (const auto& [stored, after] : cases) {
        session.SortMode = stored;
        menuSort_click(session);
        EXPECT_EQ(session.SortMode, after);
        EXPECT_EQ(settings.Get("Prefs", "SortMode"), after);
        EXPECT_EQ(session.controls.Checked("menuSort"), std::string_view(after) == "yes");
        EXPECT_EQ(session.List1.Items(), (Names{"z.pod", "a.pod"}));
    }
}

}  // namespace
}  // namespace marvok
