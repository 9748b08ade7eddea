#include <gtest/gtest.h>

#include <algorithm>

#include "podlist/PodListFile.h"
#include "podlist/mAvailablePods.h"
#include "podlist/mPodini.h"
#include "shell/mDirectoryBrowse.h"
#include "support/SessionFixture.h"

namespace marvok {

void PrintTo(const NotMountedEntry& e, std::ostream* os) {
    *os << '"' << e.entry << "\": " << NotMountedReasonText(e.reason);
}

namespace {

using Names = std::vector<std::string>;
using Entries = std::vector<NotMountedEntry>;
using R = NotMountedReason;

struct LoadCase {
    const char* what;
    std::string podIni;
    Names mounted;
    Entries notMounted;
    short viewMode = 2;
    short podLimit = 30;
    bool sorting = false;
};

class LoadReportTable : public test::SessionFixture,
                        public ::testing::WithParamInterface<LoadCase> {};

TEST_P(LoadReportTable, NamesEachEntryNotMountedWithItsReasonInListOrder) {
    const LoadCase& c = GetParam();
    Pods({"a.pod", "b.pod", "c.pod", "my pod.pod", "my addons\\big.pod", "x,y.pod",
          "Fixes\\b.pod"});
    session.ViewMode = c.viewMode;
    session.PodLimit = c.podLimit;
    session.SortMode = c.sorting ? "yes" : "no";
    session.KeepOnTop = 0;
    game.Write("pod.ini", c.podIni);
    Mount({"stale.pod"});
    ASSERT_TRUE(mPodini::LoadPodList(session, "").Done());
    const Names mounted = (c.viewMode == 1 ? session.List3 : session.List1).Items();
    EXPECT_EQ(mounted, c.mounted);
    EXPECT_EQ(session.NotMounted.entries, c.notMounted);
    EXPECT_TRUE(ui.messages.empty());
    if (c.viewMode == 2) {
        EXPECT_EQ(session.Label3, std::to_string(mounted.size()));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lists, LoadReportTable,
    ::testing::Values(
        LoadCase{"file not found", "2\r\na.pod\r\ngone.pod\r\n", {"a.pod"},
                 {{"gone.pod", R::FileNotFound}}},
        LoadCase{"blank in the name", "1\r\nmy pod.pod\r\n", {}, {{"my pod.pod", R::BlankInName}}},
        LoadCase{"blank in a folder", "1\r\nmy addons\\big.pod\r\n", {},
                 {{"my addons\\big.pod", R::BlankInFolder}}},
        LoadCase{"unwritable", "1\r\n\"x,y.pod\"\r\n", {}, {{"x,y.pod", R::UnwritableName}}},
        // The file is found whatever the case of its folder and name.
        LoadCase{"empty entry", "2\r\nfixes\\B.POD,\r\n", {"fixes\\B.POD"},
                 {{"", R::EmptyEntry}}},
        LoadCase{"no pod list at all", "", {}, {}},
        LoadCase{"repeat", "3\r\na.pod\r\nA.POD\r\nb.pod\r\n", {"a.pod", "b.pod"},
                 {{"A.POD", R::Repeat}}},
        LoadCase{"beyond the limit, even when missing",
                 "4\r\na.pod\r\nb.pod\r\nc.pod\r\ngone.pod\r\n",
                 {"a.pod", "b.pod"},
                 {{"c.pod", R::BeyondPodLimit}, {"gone.pod", R::BeyondPodLimit}},
                 2,
                 2},
        LoadCase{"list order",
                 "6\r\ngone.pod\r\na.pod\r\nA.POD\r\nmy pod.pod\r\nc.pod\r\nb.pod\r\n",
                 {"a.pod", "c.pod"},
                 {{"gone.pod", R::FileNotFound}, {"A.POD", R::Repeat},
                  {"my pod.pod", R::BlankInName}, {"b.pod", R::BeyondPodLimit}},
                 2, 5},
        // The second spelling in the file stays: the report names the one sorting removed.
        LoadCase{"sorted", "3\r\nc.pod\r\nA.POD\r\na.pod\r\n", {"a.pod", "c.pod"},
                 {{"A.POD", R::Repeat}}, 2, 30, true},
        LoadCase{"single list keeps repeats", "2\r\na.pod\r\nA.POD\r\n", {"a.pod", "A.POD"}, {},
                 1}),
    [](const auto& param) { return std::to_string(param.index); });

class NotMountedTest : public test::SessionFixture {};

TEST_F(NotMountedTest, ALoadReplacesTheReportAStockListClearsItAFailedImportKeepsIt) {
    game.Write("pod.ini", "1\r\ngone.pod\r\n");
    game.Write("other.ini", "1\r\nlost.pod\r\n");
    game.Write("desktop.ini", "[.ShellClassInfo]\r\n");
    mPodini::LoadPodList(session, "");
    EXPECT_EQ(session.NotMounted.entries, (Entries{{"gone.pod", R::FileNotFound}}));
    const std::string other = game.Native("other.ini").string();
    mPodini::LoadPodList(session, "import", other);
    EXPECT_EQ(session.NotMounted.entries, (Entries{{"lost.pod", R::FileNotFound}}));
    EXPECT_EQ(session.NotMounted.source, other);
    mPodini::LoadPodList(session, "import", game.Native("desktop.ini").string());
    EXPECT_EQ(session.NotMounted.source, other);
    mPodini::ApplyStockPreset(session, "all");
    EXPECT_EQ(session.NotMounted.Count(), 0);
}

TEST_F(NotMountedTest, AHugeListNamesItsFirstEntriesPastTheLimitAndCountsTheRest) {
    std::string list = std::to_string(kMaxNamedLeftOut + 8) + "\r\nfirst.pod\r\n";
    for (std::size_t i = 0; i < kMaxNamedLeftOut + 7; ++i) {
        list += "p.pod\r\n";
    }
    game.Write("pod.ini", list);
    session.PodLimit = 1;
    mPodini::LoadPodList(session, "");
    EXPECT_EQ(session.NotMounted.entries.size(), kMaxNamedLeftOut + 1);  // first.pod is missing
    EXPECT_EQ(session.NotMounted.CountOf(R::BeyondPodLimit), kMaxNamedLeftOut + 7);
}

TEST_F(NotMountedTest, DiscoveryRecordsWhatTheGameCannotMountOnceAndAfreshEachTime) {
    Pods({"ok.pod", "my pod.pod", "sub\\my pod.pod", "a,b.pod", "日本.pod", "my addons\\big.pod"});
    session.UserPaths[0] = session.UserPaths[1] = game.Native("sub").string();
    mAvailablePods::RefreshAvailablePods(session);
    EXPECT_EQ(session.List2.Items(), (Names{"my addons\\big.pod", "ok.pod"}));
    Entries found = session.Unmountable.Entries();
    std::sort(found.begin(), found.end(), [](auto& a, auto& b) { return a.entry < b.entry; });
    // A user folder's pods are named by its short form (on Windows, the 8.3 path).
    const std::string sub = mDirectoryBrowse::GetShortPath(*fs, game.Native("sub").string());
    EXPECT_EQ(found, (Entries{{sub + "\\my pod.pod", R::BlankInName},
                              {"a,b.pod", R::UnwritableName},
                              {"my addons\\big.pod", R::BlankInFolder},
                              {"my pod.pod", R::BlankInName},
                              {"sub\\my pod.pod", R::BlankInName},
                              {"日本.pod", R::UnwritableName}}));
    ASSERT_NE(session.Unmountable.Find("MY ADDONS\\BIG.POD"), nullptr);
    EXPECT_EQ(session.Unmountable.Find("ok.pod"), nullptr);

    session.UserPaths = {};
    game.Write("pod.ini", "1\r\nmy addons\\big.pod\r\n");
    mPodini::LoadPodList(session, "");
    EXPECT_EQ(session.NotMounted.entries, (Entries{{"my addons\\big.pod", R::BlankInFolder}}));
    std::filesystem::remove_all(game.Native("sub"));
    mAvailablePods::RefreshAvailablePods(session);
    EXPECT_EQ(session.Unmountable.Entries().size(), 4u);
}

}  // namespace
}  // namespace marvok
