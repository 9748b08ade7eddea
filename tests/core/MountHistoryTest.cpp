// Undo and redo of what the lists show.

#include <gtest/gtest.h>

#include "podlist/MountHistory.h"
#include "podlist/mCommonFunctions.h"
#include "support/SessionFixture.h"

namespace marvok {
namespace {

using Names = std::vector<std::string>;

class MountHistoryTest : public test::SessionFixture {
  protected:
    MountHistoryTest() { history.Reset(session); }
    // A command: the mounted list becomes names.
    void Mount(const Names& names) {
        session.List1.Clear();
        for (const auto& name : names) {
            session.List1.AddItem(name);
        }
        mCommonFunctions::UpdatePodCounts(session);
        history.Note(session);
    }
    MountHistory history;
};

TEST_F(MountHistoryTest, StepsGoBackAndForthAndANewChangeDropsTheRedo) {
    session.List2.AddItem("z.pod");
    Mount({"a"});
    session.ListName = "ice.ini";
    Mount({"a", "b"});
    ASSERT_TRUE(history.Undo(session));
    EXPECT_EQ(session.List1.Items(), Names{"a"});
    EXPECT_EQ(session.ListName, "pod.ini");
    EXPECT_EQ(session.Label3, "1");
    EXPECT_EQ(session.List2.Items(), Names{"z.pod"});
    ASSERT_TRUE(history.Undo(session));
    EXPECT_EQ(session.List1.Count(), 0u);
    EXPECT_FALSE(history.Undo(session));
    ASSERT_TRUE(history.Redo(session));
    ASSERT_TRUE(history.Redo(session));
    EXPECT_EQ(session.List1.Items(), (Names{"a", "b"}));
    EXPECT_EQ(session.ListName, "ice.ini");
    EXPECT_FALSE(history.Redo(session));
    history.Undo(session);
    Mount({"c"});
    EXPECT_FALSE(history.CanRedo());
    history.Undo(session);
    EXPECT_EQ(session.List1.Items(), Names{"a"});
}

TEST_F(MountHistoryTest, TheSingleListKeepsItsChecks) {
    session.ViewMode = 1;
    history.Reset(session);
    session.List3.AddItem("a", true);
    session.List3.AddItem("b", false);
    history.Note(session);
    session.List3.SetChecked(1, true);
    history.Note(session);
    ASSERT_TRUE(history.Undo(session));
    ASSERT_EQ(session.List3.Count(), 2u);
    EXPECT_TRUE(session.List3.Checked(0));
    EXPECT_FALSE(session.List3.Checked(1));
    EXPECT_EQ(session.Label3, "1 of 2");
}

TEST_F(MountHistoryTest, WhatChangesNothingIsNoStep) {
    Mount({"a"});
    history.Note(session);
    Mount({"a"});  // filled again with the same entries
    ASSERT_TRUE(history.Undo(session));
    EXPECT_FALSE(history.CanUndo());
}

TEST_F(MountHistoryTest, AChangeOfPresentationStartsAgain) {
    Mount({"a"});
    session.ViewMode = 1;
    history.Note(session);
    EXPECT_FALSE(history.CanUndo());
    EXPECT_FALSE(history.Undo(session));
}

TEST_F(MountHistoryTest, AChangeMadeOutsideACommandIsAStepOfItsOwn) {
    Mount({"a"});
    session.List1.AddItem("b");  // another window changed the lists, unnoted
    ASSERT_TRUE(history.Undo(session));
    EXPECT_EQ(session.List1.Items(), Names{"a"});
}

TEST_F(MountHistoryTest, TheOldestStepsGoFirstWhenTheBudgetIsSpent) {
    for (std::size_t i = 0; i < MountHistory::kMaxSteps + 5; ++i) {
        Mount({std::to_string(i)});
    }
    std::size_t undone = 0;
    while (history.Undo(session)) {
        ++undone;
    }
    EXPECT_EQ(undone, MountHistory::kMaxSteps);
    EXPECT_EQ(session.List1.Items(), Names{"4"});

    // Large lists: as many steps as the entry budget holds beside the lists shown.
    Names big(MountHistory::kMaxEntries / 3, "x");
    history.Reset(session);
    for (int i = 0; i < 4; ++i) {
        big[0] = std::to_string(i);
        Mount(big);
    }
    undone = 0;
    while (history.Undo(session)) {
        ++undone;
    }
    EXPECT_EQ(undone, 2u);
    EXPECT_EQ(session.List1.Item(0), "1");
}

}  // namespace
}  // namespace marvok
