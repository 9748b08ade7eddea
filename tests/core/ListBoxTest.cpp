#include <gtest/gtest.h>

#include "common/ListBox.h"

namespace marvok {
namespace {

using Names = std::vector<std::string>;

ListBox Filled(ListStyle style, const Names& names, bool batch = false) {
    ListBox list(style);
    if (batch) {
        list.BeginBatch();
    }
    for (const auto& name : names) {
        list.AddItem(name, true);
    }
    if (batch) {
        list.EndBatch();
    }
    return list;
}

TEST(ListBox, SortedListPutsEntriesInPlaceIgnoringCaseAndFindsThemInAndOutOfABatch) {
    ListBox list = Filled(ListStyle::Sorted, {"snake.pod", "Baja.pod", "aztec.pod", "Fixes\\a.pod",
                                              "MAIN.pod"});
    EXPECT_EQ(list.Items(), (Names{"aztec.pod", "Baja.pod", "Fixes\\a.pod", "MAIN.pod",
                                   "snake.pod"}));
    EXPECT_TRUE(list.Contains("baja.POD"));
    EXPECT_FALSE(list.Contains("d.pod"));
    list.BeginBatch();
    list.AddItem("B.pod");
    EXPECT_TRUE(list.Contains("snake.pod"));  // held before the batch
    EXPECT_TRUE(list.Contains("b.pod"));      // added during it, not yet in order
    list.EndBatch();
    list.RemoveItem(0);
    EXPECT_FALSE(list.Contains("aztec.pod"));
    EXPECT_TRUE(list.Contains("b.pod"));
}

// A batch is merged from its sorted runs: any shape of input must give the one-by-one order,
// equal entries staying in the order they came.
TEST(ListBox, BatchGivesTheOrderOfAddingOneByOne) {
    const std::vector<Names> batches = {
        {"b.pod", "A.pod", "a.pod", "c.pod", "B.pod", "a.POD"},
        {"a.pod", "c.pod", "e.pod", "b.pod", "d.pod", "f.pod", "A.POD", "C.POD"},  // runs
        {"e.pod", "d.pod", "c.pod", "b.pod", "a.pod"},  // all runs of one
        {"x\\b.pod", "x\\c.pod", "x1\\a.pod", "x10\\a.pod", "b.pod", "x\\a.pod"},
        {},
    };
    for (const auto& names : batches) {
        ListBox oneByOne = Filled(ListStyle::Sorted, {"a.pod"});
        ListBox batch = Filled(ListStyle::Sorted, {"a.pod"});
        batch.BeginBatch();
        for (const auto& n : names) {
            oneByOne.AddItem(n);
            batch.AddItem(n);
        }
        batch.EndBatch();
        EXPECT_EQ(batch.Items(), oneByOne.Items()) << names.size();
    }
    ListBox batch = Filled(ListStyle::Sorted, {"b.pod"}, true);
    batch.AddItem("0.pod");  // after the batch, entries go to their place again
    EXPECT_EQ(batch.Item(0), "0.pod");
}

TEST(ListBox, RemoveRepeatsKeepsTheFirstOfEqualEntries) {
    ListBox list = Filled(ListStyle::Sorted, {"b.pod", "A.pod", "a.pod", "B.POD", "c.pod"}, true);
    list.TakeChange();
    list.RemoveRepeats();
    EXPECT_EQ(list.Items(), (Names{"A.pod", "b.pod", "c.pod"}));
    EXPECT_EQ(list.TakeChange().kind, ListChange::Kind::Reset);
    list.RemoveRepeats();  // nothing repeated: no change for the views
    EXPECT_EQ(list.TakeChange(), ListChange{});
}

TEST(ListBox, PlainListKeepsOrderAndFindsIgnoringCaseUntilTheLastRepeatGoes) {
    ListBox list = Filled(ListStyle::Plain, {"z.pod", "A.pod", "a.POD"});
    list.RemoveRepeats();  // only the sorted list of pods on disk drops repeats
    EXPECT_EQ(list.Count(), 3u);
    EXPECT_EQ(list.Item(0), "z.pod");
    EXPECT_TRUE(list.Contains("a.pod"));
    list.RemoveItem(1);
    EXPECT_TRUE(list.Contains("a.pod"));
    list.RemoveItem(1);
    EXPECT_FALSE(list.Contains("a.pod"));
    list.RemoveItem(5);  // out of range: nothing happens
    EXPECT_EQ(list.Count(), 1u);
    EXPECT_FALSE(list.Checked(0));  // only the check box list holds checks
    EXPECT_EQ(list.CheckedCount(), 0u);
}

TEST(ListBox, CheckMarksAreCountedThroughEveryChange) {
    ListBox list = Filled(ListStyle::CheckBoxes, {"a.pod", "b.pod", "c.pod"});
    list.SetChecked(1, false);
    EXPECT_EQ(list.CheckedCount(), 2u);
    list.SetChecked(1, true);
    list.SetChecked(1, true);  // checking twice counts once
    EXPECT_EQ(list.CheckedCount(), 3u);
    list.Swap(0, 1);
    list.RemoveItem(2);
    EXPECT_EQ(list.CheckedCount(), 2u);
    list.RemoveIf([](const std::string& lower) { return lower == "a.pod"; });
    EXPECT_EQ(list.CheckedCount(), 1u);
    EXPECT_EQ(list.Items(), Names{"b.pod"});
    list.Clear();
    EXPECT_EQ(list.CheckedCount(), 0u);
}

// A view redraws only what TakeChange names: a wrong row or a missed reset shows stale entries.
TEST(ListBox, TakeChangeNamesTheOneChangeOrAResetAndTheRevisionGrows) {
    using Kind = ListChange::Kind;
    const ListChange reset{Kind::Reset, 0, 0};
    struct Case {
        const char* what;
        ListStyle style;
        void (*change)(ListBox&);
        ListChange expected;
    };
    const Case cases[] = {
        {"nothing", ListStyle::Plain, [](ListBox&) {}, {}},
        {"sorted insert", ListStyle::Sorted, [](ListBox& l) { l.AddItem("c.pod"); },
         {Kind::Inserted, 1, 1}},
        {"append", ListStyle::Plain, [](ListBox& l) { l.AddItem("a.pod"); },
         {Kind::Inserted, 3, 3}},
        {"remove", ListStyle::Plain, [](ListBox& l) { l.RemoveItem(1); }, {Kind::Removed, 1, 1}},
        {"remove out of range", ListStyle::Plain, [](ListBox& l) { l.RemoveItem(9); }, {}},
        {"uncheck", ListStyle::CheckBoxes, [](ListBox& l) { l.SetChecked(2, false); },
         {Kind::Updated, 2, 2}},
        {"swaps merge", ListStyle::Plain, [](ListBox& l) { l.Swap(2, 1); l.Swap(0, 1); },
         {Kind::Updated, 0, 2}},
        {"two inserts", ListStyle::Plain, [](ListBox& l) { l.AddItem("x"); l.AddItem("y"); },
         reset},
        {"insert then remove", ListStyle::Plain,
         [](ListBox& l) { l.AddItem("x.pod"); l.RemoveItem(0); }, reset},
        {"clear", ListStyle::Plain, [](ListBox& l) { l.Clear(); }, reset},
        {"batch", ListStyle::Sorted,
         [](ListBox& l) { l.BeginBatch(); l.AddItem("a.pod"); l.EndBatch(); }, reset},
        {"remove if", ListStyle::Plain,
         [](ListBox& l) { l.RemoveIf([](const std::string& s) { return s == "d.pod"; }); }, reset},
    };
    for (const Case& c : cases) {
        ListBox list = Filled(c.style, {"b.pod", "d.pod", "f.pod"});
        list.TakeChange();
        const auto before = list.Revision();
        c.change(list);
        EXPECT_EQ(list.TakeChange(), c.expected) << c.what;
        EXPECT_EQ(list.TakeChange(), ListChange{}) << c.what << ": taken once";
        EXPECT_EQ(list.Revision() > before, c.expected != ListChange{}) << c.what;
    }
}

}  // namespace
}  // namespace marvok
