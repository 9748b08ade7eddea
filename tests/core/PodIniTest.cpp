#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "podlist/mCommonFunctions.h"
#include "podlist/mPodini.h"
#include "support/FailingFileSystem.h"
#include "support/SessionFixture.h"

namespace marvok {
namespace {

using namespace mPodini;
using Names = std::vector<std::string>;
const std::string kNotSaved = " \u2014 not saved";

class PodIniTest : public test::SessionFixture {
protected:
    void AllStockPods(std::string_view folder = "") {
        for (auto name : StockPods()) {
            game.Write(std::string(folder) + std::string(name), "POD");
        }
    }
};

// Files refused on import are in the start-up tests (/open and /install import too).
TEST_F(PodIniTest, ImportAsksForAFileAndACancelKeepsTheList) {
    Pods({"a.pod", "b.pod"});
    game.Write("pod.ini", "1\r\na.pod\r\n");
    game.Write("ini\\race.ini", "1\r\nb.pod\r\n");
    LoadPodList(session, "");
    EXPECT_EQ(LoadPodList(session, "import").status, FileResult::Status::Cancelled);
    EXPECT_EQ(session.List1.Items(), Names{"a.pod"});
    ASSERT_EQ(ui.dialogs.size(), 1u);
    const FileDialogRequest& d = ui.dialogs[0];
    EXPECT_EQ(d.title + "|" + d.initialFolder, "Open File|" + game.Folder() + "\\ini");
    EXPECT_TRUE(!d.save && d.fileMustExist && d.filters.size() == 2u);
    EXPECT_EQ(d.filters.at(0), (std::pair<std::string, std::string>{"Pod Files (*.ini)", "*.ini"}));
    ui.fileAnswers.push_back(game.Native("ini\\race.ini").string());
    EXPECT_TRUE(LoadPodList(session, "import").Done());
    EXPECT_EQ(session.List1.Items(), Names{"b.pod"});
}

// The status line: the list last read or written, and whether pod.ini holds what the lists show.
TEST_F(PodIniTest, ListStatusNamesTheListAndSaysWhenPodIniDoesNotHoldIt) {
    Pods({"a.pod", "b.pod"});
    EXPECT_TRUE(LoadPodList(session, "").Done());  // no pod.ini: the stock list, not on disk
    EXPECT_EQ(ListStatusText(session), "pod.ini" + kNotSaved);
    game.Write("pod.ini", "1\r\na.pod\r\n");
    game.Write("ice-night.ini", "2\r\nb.pod\r\na.pod\r\n");
    LoadPodList(session, "");
    EXPECT_EQ(ListStatusText(session), "pod.ini");
    session.List1.AddItem("b.pod");
    EXPECT_EQ(ListStatusText(session), "pod.ini" + kNotSaved);
    session.List1.RemoveItem(1);
    EXPECT_EQ(ListStatusText(session), "pod.ini");  // moved back: nothing to save
    ui.fileAnswers.push_back(game.Native("ice-night.ini").string());
    LoadPodList(session, "import");
    EXPECT_EQ(ListStatusText(session), "ice-night.ini" + kNotSaved);
    SavePodList(session, "");
    EXPECT_EQ(ListStatusText(session), "ice-night.ini");
    ui.fileAnswers.push_back(game.Native("copy").string());
    SavePodList(session, "export");
    EXPECT_EQ(ListStatusText(session), "copy.ini");
    test::FailingFileSystem failing{*fs};  // every write fails as on a full disk
    failing.failWith = "No space left on device";
    Session broken{failing, settings, ui};
    SetGamePaths(broken, game.Folder());
    broken.List1.AddItem("a.pod");
    EXPECT_TRUE(SavePodList(broken, "").Failed());
    EXPECT_EQ(ListStatusText(broken), "pod.ini" + kNotSaved);  // a failed save changes nothing
    // The single list shows the mounted pods in its own order: that alone is no change.
    Single({{"a.pod", true}, {"b.pod", true}});
    EXPECT_EQ(ListStatusText(session), "copy.ini");
    session.List3.SetChecked(0, false);
    EXPECT_EQ(ListStatusText(session), "copy.ini" + kNotSaved);
}

TEST_F(PodIniTest, SaveWritesTheExactFormatOfWhatIsMounted) {
    Mount({"Fixes\\fixmore4.pod", "startup.pod"});
    EXPECT_TRUE(SavePodList(session, "").Done());
    EXPECT_EQ(game.Read("pod.ini"), "2\r\nFixes\\fixmore4.pod\r\nstartup.pod\r\n");
    // The single list: the checked entries in display order.
    Single({{"b.pod", true}, {"x.pod", false}, {"a.pod", true}});
    SavePodList(session, "");
    EXPECT_EQ(game.Read("pod.ini"), "2\r\nb.pod\r\na.pod\r\n");
}

// What a save as writes is in the window tests; here, that it asks before replacing a file.
TEST_F(PodIniTest, SaveAsAsksBeforeOverwritingAndACancelIsNoSave) {
    Mount({"a.pod"});
    EXPECT_EQ(SavePodList(session, "export").status, FileResult::Status::Cancelled);
    ASSERT_EQ(ui.dialogs.size(), 1u);
    EXPECT_TRUE(ui.dialogs[0].save && ui.dialogs[0].overwritePrompt);
}

// Each save of pod.ini keeps what it replaced, outside the game folder; restoring it fills the
// lists as pod.ini not yet saved and writes nothing.
TEST_F(PodIniTest, TheLastSavedPodIniIsKeptAndRestoredWithoutWriting) {
    Pods({"a.pod", "b.pod", "c.pod"});
    const test::TestGameFolder data;
    session.LastSavedCopy = LastSavedCopyPath(data.Folder(), session.GameFolder);
    game.Write("pod.ini", "2\r\na.pod\r\nb.pod\r\n");
    Mount({"c.pod"});
    ASSERT_TRUE(SavePodList(session, "").Done());
    ASSERT_TRUE(SavePodList(session, "").Done());  // the same again keeps the one before
    ui.fileAnswers.push_back(game.Folder() + "/other");
    ASSERT_TRUE(SavePodList(session, "export").Done());  // Save as keeps nothing
    ASSERT_TRUE(RestoreLastSaved(session).Done());
    EXPECT_EQ(session.List1.Items(), (Names{"a.pod", "b.pod"}));
    EXPECT_EQ(session.List2.Items(), (Names{"c.pod"}));
    EXPECT_EQ(ListStatusText(session), "pod.ini" + kNotSaved);  // not "other.ini"
    EXPECT_EQ(session.LastSavedCopy.rfind(data.Folder(), 0), 0u) << session.LastSavedCopy;
    // One copy for each game folder, whatever the case of its name.
    const std::string a = LastSavedCopyPath("/data", "/games/MTM2");
    EXPECT_EQ(a, LastSavedCopyPath("/data/", "/games/mtm2"));
    EXPECT_NE(a, LastSavedCopyPath("/data", "/games/MTM2 trial"));
    EXPECT_EQ(LastSavedCopyPath("C:\\Users\\me\\AppData", "C:\\MTM2")
                  .rfind("C:\\Users\\me\\AppData\\Marvok\\last-saved\\", 0),
              0u);
    EXPECT_EQ(LastSavedCopyPath("", "/games/MTM2"), "");
}

TEST_F(PodIniTest, APodIniUpToSixteenMegabytesIsKeptWhenASaveReplacesIt) {
    Pods({"c.pod"});
    const test::TestGameFolder data;
    session.LastSavedCopy = LastSavedCopyPath(data.Folder(), session.GameFolder);
    Mount({"c.pod"});
    const auto copy = [&] {
        std::ifstream in(session.LastSavedCopy, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    const std::string limit(16u << 20, 'x');
    game.Write("pod.ini", limit);
    ASSERT_TRUE(SavePodList(session, "").Done());
    EXPECT_TRUE(copy() == limit);
    game.Write("pod.ini", limit + "x");  // one byte more is not kept: the copy stays
    ASSERT_TRUE(SavePodList(session, "").Done());
    EXPECT_TRUE(copy() == limit);
}

// A full disk is in the window tests. pod.ini is a folder here, so the rename over it fails on
// every platform.
TEST_F(PodIniTest, AFailedSaveKeepsWhatWasThereAndLeavesNoTrace) {
    game.Write("pod.ini\\keep.txt", "x");
    Mount({"a.pod"});
    EXPECT_TRUE(SavePodList(session, "").Failed());
    EXPECT_EQ(game.Read("pod.ini\\keep.txt"), "x");
    const auto entries = std::distance(std::filesystem::directory_iterator(game.Native("")),
                                       std::filesystem::directory_iterator());
    EXPECT_EQ(entries, 1);  // no temporary file left beside it
}

TEST_F(PodIniTest, AddPodRefusesWhatCannotBeMountedAndStopsAtTheLimit) {
    session.GameVersion = "MTM2 Patched";
    session.PodLimit = 2;
    Pods({"a.pod", "b.pod", "c.pod", "my pod.pod", "a,b.pod"});
    // The game folder itself, a blank, a comma pod.ini would split, a missing file.
    for (const char* name : {"", "my pod.pod", "a,b.pod", "gone.pod"}) {
        EXPECT_FALSE(AddPod(session, name)) << name;
    }
    EXPECT_TRUE(AddPod(session, "a.pod"));
    EXPECT_TRUE(AddPod(session, "b.pod"));
    EXPECT_FALSE(AddPod(session, "c.pod"));
    EXPECT_EQ(session.List1.Items(), (Names{"a.pod", "b.pod"}));
    // The one message, at the limit only.
    EXPECT_TRUE(ui.messages.size() == 1 && Said(0, "MTM2 Patched pod limit is 2 pods"));
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
    const Names items = session.List1.Items();
    EXPECT_EQ(Names(items.begin() + 22, items.end()), (Names{"d.pod", "c.pod", "a.pod", "b.pod"}));
    EXPECT_EQ(items[0], "z.pod");
}

// Without pod.ini the stock list shows, nothing is written until asked, and the commands that
// need the file follow it.
TEST_F(PodIniTest, MissingPodIniGivesTheStockListAndTheLastCallAsksToCreateIt) {
    const auto enabled = [&] {
        return session.controls.Enabled("menuFile_0") + 2 * session.controls.Enabled("toolbar_8");
    };
    AllStockPods();
    LoadPodList(session, "");
    EXPECT_EQ(session.List1.Count(), 20u);
    EXPECT_EQ(enabled(), 0);
    ui.answers.push_back(MessageAnswer::No);
    EXPECT_FALSE(CheckPodIni(session, "lastCall"));
    EXPECT_FALSE(game.Exists("pod.ini"));
    session.List1.Clear();
    Mount({"a.pod"});
    EXPECT_TRUE(CheckPodIni(session, "lastCall"));
    EXPECT_TRUE(ui.messages.size() == 2 && Said(1, "Pod.ini does not exist"));
    EXPECT_EQ(game.Read("pod.ini"), "1\r\na.pod\r\n");
    EXPECT_EQ(enabled(), 3);
    EXPECT_TRUE(CheckPodIni(session, ""));
    EXPECT_EQ(ui.messages.size(), 2u);
}

TEST_F(PodIniTest, RefreshDropsVanishedPodsAndSortsAgainInBothPresentations) {
    Pods({"b.pod", "a.pod", "c.pod"});
    Mount({"c.pod", "gone.pod", "a.pod"});
    session.SortMode = "yes";
    session.KeepOnTop = 0;
    RefreshPodLists(session);
    EXPECT_EQ(session.List1.Items(), (Names{"a.pod", "c.pod"}));
    // The single list regroups the checked entries.
    session.List1.Clear();
    session.ViewMode = 1;
    session.KeepOnTop = 1;
    Single({{"z.pod", true}, {"free.pod", false}, {"b.pod", true}, {"a.pod", true}});
    RefreshPodLists(session);
    EXPECT_EQ(session.List3.Items(), (Names{"z.pod", "a.pod", "b.pod"}));
    EXPECT_EQ(session.List3.CheckedCount(), 3u);
    EXPECT_EQ(session.List1.Count(), 0u);
}

TEST_F(PodIniTest, StockPresetsPreferFixesThenStockAndLeaveOutWhatIsNowhere) {
    AllStockPods();
    AllStockPods("Fixes\\");
    AllStockPods("Stock\\");
    std::filesystem::remove(game.Native("Fixes\\main.pod"));
    ApplyStockPreset(session, "all");
    EXPECT_EQ(session.List1.Item(0), "Fixes\\fixmore4.pod");
    EXPECT_EQ(session.List1.Item(12), "Stock\\main.pod");
    EXPECT_EQ(session.List1.Count(), 20u);
    for (auto folder : {"", "Fixes\\", "Stock\\"}) {
        std::filesystem::remove_all(game.Native(folder + std::string("summit1.pod")));
    }
    ApplyStockPreset(session, "all");
    EXPECT_EQ(session.List1.Count(), 19u);
    EXPECT_EQ(session.Label3, "19");
    // Minimal is the first seven in order, even when sorting, in both presentations.
    std::filesystem::remove_all(game.Native("Fixes"));
    std::filesystem::remove_all(game.Native("Stock"));
    game.Write("summit1.pod", "POD");
    session.SortMode = "yes";
    ApplyStockPreset(session, "minimal");
    EXPECT_EQ(session.List1.Items(), (Names{"fixmore4.pod", "startup.pod", "music.pod", "sound.pod",
                                            "truck2.pod", "cockpit.pod", "ui.pod"}));
    EXPECT_EQ(session.List2.Count(), 13u);  // the other stock pods lie on disk unmounted
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
