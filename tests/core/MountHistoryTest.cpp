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
    void Command(const Names& names) {
        session.List1.Clear();
        Mount(names);
        podlist::mCommonFunctions::UpdatePodCounts(session);
        history.Note(session);
    }
    std::size_t UndoAll() {
        std::size_t undone = 0;
        while (history.Undo(session)) {
            ++undone;
        }
        return undone;
    }
    MountHistory history;
};

TEST_F(MountHistoryTest, StepsGoBackAndForthAndANewChangeDropsTheRedo) {
    session.List2.AddItem("z.pod");
    Command({"a"});
    session.ListName = "ice.ini";
    Command({"a", "b"});
    ASSERT_TRUE(history.Undo(session));
    EXPECT_EQ(session.List1.Items(), Names{"a"});
    EXPECT_EQ(session.ListName + " " + session.Label3, "pod.ini 1");
    EXPECT_EQ(session.List2.Items(), Names{"z.pod"});
    EXPECT_EQ(UndoAll(), 1u);
    EXPECT_EQ(session.List1.Count(), 0u);
    EXPECT_TRUE(history.Redo(session) && history.Redo(session));
    EXPECT_EQ(session.List1.Items(), (Names{"a", "b"}));
    EXPECT_EQ(session.ListName, "ice.ini");
    EXPECT_FALSE(history.Redo(session));
    history.Undo(session);
    Command({"c"});
    EXPECT_FALSE(history.CanRedo());
    history.Undo(session);
    EXPECT_EQ(session.List1.Items(), Names{"a"});
}

TEST_F(MountHistoryTest, TheSingleListKeepsItsChecksAndAChangeOfPresentationStartsAgain) {
    session.ViewMode = 1;
    history.Reset(session);
    Single({{"a", true}, {"b", false}});
    history.Note(session);
    Single({{"a", true}, {"b", false}});  // filled again alike: no step of its own
    history.Note(session);
    session.List3.SetChecked(1, true);
    history.Note(session);
    ASSERT_TRUE(history.Undo(session));
    ASSERT_EQ(session.List3.Count(), 2u);
    EXPECT_TRUE(session.List3.Checked(0) && !session.List3.Checked(1));
    EXPECT_EQ(session.Label3, "1 of 2");
    ASSERT_TRUE(history.Undo(session));
    EXPECT_EQ(session.List3.Count(), 0u);
    EXPECT_FALSE(history.CanUndo());
    session.ViewMode = 2;
    history.Note(session);
    EXPECT_FALSE(history.CanUndo());
    EXPECT_FALSE(history.Undo(session));
}

TEST_F(MountHistoryTest, OnlyWhatChangesTheListsIsAStepEvenOutsideACommand) {
    Command({"a"});
    history.Note(session);
    Command({"a"});  // filled again with the same entries
    session.List1.AddItem("b");  // another window changed the lists, unnoted
    ASSERT_TRUE(history.Undo(session));
    EXPECT_EQ(session.List1.Items(), Names{"a"});
    EXPECT_EQ(UndoAll(), 1u);
}

TEST_F(MountHistoryTest, TheOldestStepsGoFirstWhenTheBudgetIsSpent) {
    for (std::size_t i = 0; i < MountHistory::kMaxSteps + 5; ++i) {
        Command({std::to_string(i)});
    }
    EXPECT_EQ(UndoAll(), MountHistory::kMaxSteps);
    EXPECT_EQ(session.List1.Items(), Names{"4"});
    // Large lists: as many steps as the entry budget holds beside the lists shown.
    Names big(MountHistory::kMaxEntries / 3, "x");
    history.Reset(session);
    for (int i = 0; i < 4; ++i) {
        big[0] = std::to_string(i);
        Command(big);
    }
    EXPECT_EQ(UndoAll(), 2u);
    EXPECT_EQ(session.List1.Item(0), "1");
}

}  // namespace
}  // namespace marvok
