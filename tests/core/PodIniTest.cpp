#include <gtest/gtest.h>

#include "podlist/mCommonFunctions.h"
#include "podlist/mPodini.h"
#include "support/FailingFileSystem.h"
#include "support/SessionFixture.h"

namespace marvok {
namespace {

using namespace mPodini;
using Names = std::vector<std::string>;

class PodIniTest : public test::SessionFixture {
  protected:
    void AllStockPods(std::string_view folder = "") {
        for (auto name : StockPods()) {
            game.Write(std::string(folder) + std::string(name), "POD");
        }
    }
};

TEST_F(PodIniTest, LoadRemovesRepeatsKeepingTheFirstSpelling) {
    Pods({"main.pod", "snake.pod"});
    game.Write("pod.ini", "3\r\nmain.pod\r\nMAIN.POD\r\nsnake.pod\r\n");
    EXPECT_TRUE(LoadPodList(session, "").Done());
    EXPECT_EQ(session.List1.Items(), (Names{"main.pod", "snake.pod"}));
    EXPECT_EQ(session.Label3, "2");
}

TEST_F(PodIniTest, LoadDropsMissingSpacedAndEmptyNamesSilently) {
    Pods({"a.pod", "my pod.pod", "Fixes\\b.pod"});
    game.Write("pod.ini", "5\r\na.pod\r\nmy pod.pod\r\ngone.pod\r\nfixes\\B.POD,\r\n");
    LoadPodList(session, "");
    EXPECT_EQ(session.List1.Items(), (Names{"a.pod", "fixes\\B.POD"}));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(PodIniTest, OnlyTheFirstPodLimitFieldsAreConsidered) {
    std::string file = "40\r\n";
    for (int i = 0; i < 40; ++i) {
        const std::string name = "p" + std::to_string(i) + ".pod";
        file += name + "\r\n";
        if (i % 2 == 1) {  // every other pod exists
            game.Write(name, "POD");
        }
    }
    game.Write("pod.ini", file);
    LoadPodList(session, "");
    ASSERT_EQ(session.List1.Count(), 15u);  // the odd ones of the first 30
    EXPECT_EQ(session.List1.Item(14), "p29.pod");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(PodIniTest, MissingPodIniGivesTheDefaultStockList) {
    AllStockPods();
    LoadPodList(session, "");
    EXPECT_EQ(session.List1.Count(), 20u);
    EXPECT_FALSE(game.Exists("pod.ini"));  // not created until saved
    EXPECT_FALSE(session.controls.Enabled("menuFile_0"));
    EXPECT_FALSE(session.controls.Enabled("toolbar_8"));
}

TEST_F(PodIniTest, ImportOfAFileThatIsNoReadablePodListKeepsTheLists) {
    Pods({"a.pod", "b.pod"});
    game.Write("pod.ini", "1\r\na.pod\r\n");
    game.Write("desktop.ini", "[.ShellClassInfo]\r\nb.pod\r\n");
    // A real list, but read only in part it would lose the entries past the cut.
    game.Write("huge.ini", "1\r\n" + std::string(16u << 20, '\n') + "b.pod\r\n");
    LoadPodList(session, "");
    for (const char* name : {"none.ini", "desktop.ini", "huge.ini"}) {
        const FileResult result = LoadPodList(session, "import", game.Native(name).string());
        EXPECT_TRUE(result.Failed()) << name;
        EXPECT_FALSE(result.error.empty()) << name;
        EXPECT_EQ(session.List1.Items(), Names{"a.pod"}) << name;
    }
}

TEST_F(PodIniTest, APodIniThatIsNoPodListStillReadsAsEmpty) {
    Pods({"a.pod"});
    game.Write("pod.ini", "");
    session.List1.AddItem("a.pod");
    EXPECT_TRUE(LoadPodList(session, "").Done());
    EXPECT_EQ(session.List1.Count(), 0u);
}

TEST_F(PodIniTest, ImportWithoutAFileAsksAndACancelChangesNothing) {
    Pods({"a.pod", "b.pod"});
    game.Write("pod.ini", "1\r\na.pod\r\n");
    game.Write("ini\\race.ini", "1\r\nb.pod\r\n");
    LoadPodList(session, "");
    EXPECT_EQ(LoadPodList(session, "import").status, FileResult::Status::Cancelled);
    EXPECT_EQ(session.List1.Items(), Names{"a.pod"});
    ASSERT_EQ(ui.dialogs.size(), 1u);
    EXPECT_FALSE(ui.dialogs[0].save);
    EXPECT_EQ(ui.dialogs[0].title, "Open File");
    EXPECT_TRUE(ui.dialogs[0].fileMustExist);
    EXPECT_EQ(ui.dialogs[0].initialFolder, game.Folder() + "\\ini");
    ASSERT_EQ(ui.dialogs[0].filters.size(), 2u);
    EXPECT_EQ(ui.dialogs[0].filters[0],
              (std::pair<std::string, std::string>{"Pod Files (*.ini)", "*.ini"}));

    ui.fileAnswers.push_back(game.Native("ini\\race.ini").string());
    EXPECT_TRUE(LoadPodList(session, "import").Done());
    EXPECT_EQ(session.List1.Items(), Names{"b.pod"});
}

// The status line: the list last read or written, and whether pod.ini holds what the lists show.
TEST_F(PodIniTest, ListStatusNamesTheListAndSaysWhenPodIniDoesNotHoldIt) {
    Pods({"a.pod", "b.pod"});
    EXPECT_TRUE(LoadPodList(session, "").Done());  // no pod.ini: the stock list, not on disk
    EXPECT_EQ(ListStatusText(session), "pod.ini \u2014 not saved");
    game.Write("pod.ini", "1\r\na.pod\r\n");
    game.Write("ice-night.ini", "2\r\nb.pod\r\na.pod\r\n");
    LoadPodList(session, "");
    EXPECT_EQ(ListStatusText(session), "pod.ini");
    session.List1.AddItem("b.pod");
    EXPECT_EQ(ListStatusText(session), "pod.ini \u2014 not saved");
    session.List1.RemoveItem(1);
    EXPECT_EQ(ListStatusText(session), "pod.ini");  // moved back: nothing to save

    ui.fileAnswers.push_back(game.Native("ice-night.ini").string());
    LoadPodList(session, "import");
    EXPECT_EQ(ListStatusText(session), "ice-night.ini \u2014 not saved");
    SavePodList(session, "");
    EXPECT_EQ(ListStatusText(session), "ice-night.ini");
    ui.fileAnswers.push_back(game.Native("copy").string());
    SavePodList(session, "export");
    EXPECT_EQ(ListStatusText(session), "copy.ini");
    // A save that fails changes nothing.
    test::FailingFileSystem failing(*fs);
    failing.failWith = "Disk full";
    Session other(failing, settings, ui);
    SetGamePaths(other, game.Folder());
    other.List1.AddItem("a.pod");
    EXPECT_TRUE(SavePodList(other, "").Failed());
    EXPECT_EQ(ListStatusText(other), "pod.ini \u2014 not saved");

    // The single list shows the mounted pods in its own order: that alone is no change.
    session.ViewMode = 1;
    session.List3.Clear();
    session.List3.AddItem("a.pod", true);
    session.List3.AddItem("b.pod", true);
    EXPECT_EQ(ListStatusText(session), "copy.ini");
    session.List3.SetChecked(0, false);
    EXPECT_EQ(ListStatusText(session), "copy.ini \u2014 not saved");
}

TEST_F(PodIniTest, SaveWritesTheExactFormat) {
    Pods({"Fixes\\fixmore4.pod", "startup.pod"});
    session.List1.AddItem("Fixes\\fixmore4.pod");
    session.List1.AddItem("startup.pod");
    EXPECT_TRUE(SavePodList(session, "").Done());
    EXPECT_EQ(game.Read("pod.ini"), "2\r\nFixes\\fixmore4.pod\r\nstartup.pod\r\n");
    session.List1.Clear();
    SavePodList(session, "");
    EXPECT_EQ(game.Read("pod.ini"), "0\r\n");
}

// Each save of pod.ini keeps what it replaced, outside the game folder; restoring it fills the
// lists as pod.ini not yet saved and writes nothing.
TEST_F(PodIniTest, TheLastSavedPodIniIsKeptAndRestoredWithoutWriting) {
    Pods({"a.pod", "b.pod", "c.pod"});
    const test::TestGameFolder data;
    session.LastSavedCopy = LastSavedCopyPath(data.Folder(), session.GameFolder);
    EXPECT_TRUE(RestoreLastSaved(session).Failed());  // nothing kept yet
    game.Write("pod.ini", "2\r\na.pod\r\nb.pod\r\n");
    session.List1.AddItem("c.pod");
    ASSERT_TRUE(SavePodList(session, "").Done());
    ASSERT_TRUE(SavePodList(session, "").Done());  // the same again keeps the one before
    ui.fileAnswers.push_back(game.Folder() + "/other");
    ASSERT_TRUE(SavePodList(session, "export").Done());  // Save as keeps nothing
    ASSERT_TRUE(RestoreLastSaved(session).Done());
    EXPECT_EQ(session.List1.Items(), (Names{"a.pod", "b.pod"}));
    EXPECT_EQ(session.List2.Items(), (Names{"c.pod"}));
    EXPECT_EQ(ListStatusText(session), "pod.ini \u2014 not saved");
    EXPECT_EQ(game.Read("pod.ini"), "1\r\nc.pod\r\n");
    EXPECT_EQ(session.LastSavedCopy.rfind(data.Folder(), 0), 0u) << session.LastSavedCopy;
}

TEST_F(PodIniTest, EachGameFolderHasItsOwnLastSavedCopy) {
    const std::string a = LastSavedCopyPath("/data", "/games/MTM2");
    EXPECT_EQ(a.rfind("/data/Marvok/last-saved/", 0), 0u) << a;
    EXPECT_EQ(a, LastSavedCopyPath("/data/", "/games/mtm2"));
    EXPECT_NE(a, LastSavedCopyPath("/data", "/games/MTM2 trial"));
    EXPECT_EQ(LastSavedCopyPath("C:\\Users\\me\\AppData", "C:\\MTM2").rfind(
                  "C:\\Users\\me\\AppData\\Marvok\\last-saved\\", 0),
              0u);
    EXPECT_EQ(LastSavedCopyPath("", "/games/MTM2"), "");
}

TEST_F(PodIniTest, SaveInTheSingleListWritesTheCheckedEntriesInDisplayOrder) {
    session.ViewMode = 1;
    session.List3.AddItem("b.pod", true);
    session.List3.AddItem("x.pod", false);
    session.List3.AddItem("a.pod", true);
    SavePodList(session, "");
    EXPECT_EQ(game.Read("pod.ini"), "2\r\nb.pod\r\na.pod\r\n");
}

TEST_F(PodIniTest, SaveAsAppendsIniAndACancelWritesNothing) {
    session.List1.AddItem("a.pod");
    ui.fileAnswers.push_back(game.Native("mylist").string());
    const FileResult saved = SavePodList(session, "export");
    EXPECT_TRUE(saved.Done());
    EXPECT_EQ(game.Read("mylist.ini"), "1\r\na.pod\r\n");
    EXPECT_FALSE(game.Exists("pod.ini"));
    EXPECT_EQ(ui.dialogs.at(0).title, "Save File");
    EXPECT_TRUE(ui.dialogs.at(0).overwritePrompt);
    EXPECT_EQ(ui.dialogs.at(0).initialFolder, game.Folder());  // no ini folder here

    EXPECT_EQ(SavePodList(session, "export").status, FileResult::Status::Cancelled);
}

TEST_F(PodIniTest, AFailedSaveKeepsTheOldFileAndSaysWhy) {
    game.Write("pod.ini", "1\r\nold.pod\r\n");
    test::FailingFileSystem failing(*fs);
    failing.failWith = "No space left on device";
    Session broken(failing, settings, ui);
    SetGamePaths(broken, game.Folder());
    broken.List1.AddItem("new.pod");
    const FileResult saved = SavePodList(broken, "");
    EXPECT_TRUE(saved.Failed());
    EXPECT_EQ(saved.error, "No space left on device");
    EXPECT_EQ(saved.path, broken.PodIniPath);
    EXPECT_EQ(game.Read("pod.ini"), "1\r\nold.pod\r\n");
}

TEST_F(PodIniTest, ASaveThatCannotReplaceTheTargetLeavesNoTrace) {
    // pod.ini is a folder here, so the rename over it fails on every platform.
    game.Write("pod.ini\\keep.txt", "x");
    session.List1.AddItem("a.pod");
    EXPECT_TRUE(SavePodList(session, "").Failed());
    EXPECT_EQ(game.Read("pod.ini\\keep.txt"), "x");
    int entries = 0;
    for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(game.Native(""))) {
        ++entries;
    }
    EXPECT_EQ(entries, 1);  // no temporary file left beside it
}

TEST_F(PodIniTest, AddPodRefusesAtTheLimitWithTheMessage) {
    session.GameVersion = "MTM2 Patched";
    session.PodLimit = 2;
    Pods({"a.pod", "b.pod", "c.pod"});
    EXPECT_TRUE(AddPod(session, "a.pod"));
    EXPECT_TRUE(AddPod(session, "b.pod"));
    EXPECT_FALSE(AddPod(session, "c.pod"));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "MTM2 Patched pod limit is 2 pods");
}

TEST_F(PodIniTest, AddPodRefusesNamesThatCannotBeMounted) {
    Pods({"my pod.pod", "a,b.pod"});
    EXPECT_FALSE(AddPod(session, ""));  // the game folder exists, but is no pod
    EXPECT_FALSE(AddPod(session, "my pod.pod"));
    EXPECT_FALSE(AddPod(session, "a,b.pod"));  // pod.ini would give it back as two names
    EXPECT_FALSE(AddPod(session, "gone.pod"));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(PodIniTest, AddPodSortsOnlyAfterKeepOnTop) {
    session.PodLimit = 100;
    session.SortMode = "yes";
    session.KeepOnTop = 24;
    for (int i = 0; i < 26; ++i) {
        const std::string name = std::string(1, static_cast<char>('z' - i)) + ".pod";
        game.Write(name, "POD");
        AddPod(session, name);
    }
    // The first 24 keep their order; positions 24 and 25 are sorted.
    EXPECT_EQ(session.List1.Item(0), "z.pod");
    EXPECT_EQ(session.List1.Item(23), "c.pod");
    EXPECT_EQ(session.List1.Item(24), "a.pod");
    EXPECT_EQ(session.List1.Item(25), "b.pod");
}

TEST_F(PodIniTest, CheckPodIniFollowsTheFile) {
    EXPECT_FALSE(CheckPodIni(session, ""));
    EXPECT_FALSE(session.controls.Enabled("menuFile_0"));
    game.Write("pod.ini", "0\r\n");
    EXPECT_TRUE(CheckPodIni(session, ""));
    EXPECT_TRUE(session.controls.Enabled("menuFile_0"));
    EXPECT_TRUE(session.controls.Enabled("toolbar_8"));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(PodIniTest, LastCallAsksAndYesWritesTheMountedList) {
    session.List1.AddItem("a.pod");
    EXPECT_TRUE(CheckPodIni(session, "lastCall"));
    ASSERT_EQ(ui.messages.size(), 1u);
    const auto& question = ui.messages[0];
    EXPECT_EQ(question.title, "File Not Found");
    EXPECT_EQ(question.text, "Pod.ini does not exist.\nDo you want to create it now?");
    EXPECT_EQ(question.icon, MessageIcon::Exclamation);
    EXPECT_EQ(question.buttons, MessageButtons::YesNo);
    EXPECT_EQ(question.defaultButton, 0);
    EXPECT_EQ(game.Read("pod.ini"), "1\r\na.pod\r\n");
    EXPECT_TRUE(session.controls.Enabled("menuFile_0"));
}

TEST_F(PodIniTest, LastCallNoWritesNothing) {
    ui.answers.push_back(MessageAnswer::No);
    EXPECT_FALSE(CheckPodIni(session, "lastCall"));
    EXPECT_FALSE(game.Exists("pod.ini"));
}

TEST_F(PodIniTest, RefreshSideBySideDropsVanishedPodsAndSortsAgain) {
    Pods({"b.pod", "a.pod", "c.pod"});
    session.List1.AddItem("c.pod");
    session.List1.AddItem("gone.pod");
    session.List1.AddItem("a.pod");
    session.SortMode = "yes";
    session.KeepOnTop = 0;
    RefreshPodLists(session);
    EXPECT_EQ(session.List1.Items(), (Names{"a.pod", "c.pod"}));
}

TEST_F(PodIniTest, RefreshSingleListRegroupsTheCheckedEntries) {
    session.ViewMode = 1;
    session.SortMode = "yes";
    session.KeepOnTop = 1;
    session.List3.AddItem("z.pod", true);
    session.List3.AddItem("free.pod", false);
    session.List3.AddItem("b.pod", true);
    session.List3.AddItem("a.pod", true);
    RefreshPodLists(session);
    EXPECT_EQ(session.List3.Items(), (Names{"z.pod", "a.pod", "b.pod"}));
    EXPECT_EQ(session.List3.CheckedCount(), 3u);
    EXPECT_EQ(session.List1.Count(), 0u);
}

TEST_F(PodIniTest, StockPresetPrefersFixesThenStock) {
    AllStockPods();
    AllStockPods("Fixes\\");
    AllStockPods("Stock\\");
    std::filesystem::remove(game.Native("Fixes\\main.pod"));
    ApplyStockPreset(session, "all");
    EXPECT_EQ(session.List1.Item(0), "Fixes\\fixmore4.pod");
    EXPECT_EQ(session.List1.Item(12), "Stock\\main.pod");
    EXPECT_EQ(session.List1.Count(), 20u);
}

TEST_F(PodIniTest, StockPresetLeavesOutWhatIsNowhere) {
    AllStockPods();
    for (auto name : {"summit1.pod", "summit2.pod", "summit3.pod"}) {
        std::filesystem::remove(game.Native(name));
    }
    ApplyStockPreset(session, "all");
    EXPECT_EQ(session.List1.Count(), 17u);
    // The unmounted list was rebuilt: nothing else is on disk.
    EXPECT_EQ(session.List2.Count(), 0u);
    EXPECT_EQ(session.Label3, "17");
}

TEST_F(PodIniTest, MinimalIsTheFirstSevenInOrderEvenWhenSorting) {
    AllStockPods();
    session.SortMode = "yes";
    ApplyStockPreset(session, "minimal");
    EXPECT_EQ(session.List1.Items(), (Names{"fixmore4.pod", "startup.pod", "music.pod", "sound.pod",
                                            "truck2.pod", "cockpit.pod", "ui.pod"}));
    EXPECT_EQ(session.List2.Count(), 13u);  // the other stock pods lie on disk unmounted
}

TEST_F(PodIniTest, StockPresetInTheSingleListChecksTheStockPods) {
    AllStockPods();
    Pods({"extra.pod"});
    session.ViewMode = 1;
    ApplyStockPreset(session, "minimal");
    EXPECT_EQ(session.List3.CheckedCount(), 7u);
    EXPECT_EQ(session.List3.Count(), 21u);
    EXPECT_EQ(session.Label3, "7 of 21");
}

TEST(RemoveDuplicatePods, KeepsFirstOccurrencesInPlace) {
    ListBox list(ListStyle::Plain);
    for (auto n : {"a.pod", "B.pod", "A.POD", "c.pod", "b.pod", "a.pod"}) {
        list.AddItem(n);
    }
    EXPECT_EQ(mPodini::RemoveDuplicatePods(list), (Names{"A.POD", "b.pod", "a.pod"}));
    EXPECT_EQ(list.Items(), (Names{"a.pod", "B.pod", "c.pod"}));
}

}  // namespace
}  // namespace marvok
