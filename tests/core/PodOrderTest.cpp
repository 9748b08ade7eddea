// Reordering the mount order, and the live count.

#include <gtest/gtest.h>

#include "podlist/PodOrder.h"
#include "support/SessionFixture.h"

namespace marvok::podorder {
namespace {

using Names = std::vector<std::string>;
using PodOrderTest = test::SessionFixture;

// Moves by keys and by dragging are in the window tests.
TEST_F(PodOrderTest, OnlyTheHeadThatSortingLeavesInPlaceCanBeReordered) {
    Mount({"z", "y", "a", "b"});
    session.SortMode = "yes";
    session.KeepOnTop = 2;
    EXPECT_FALSE(ReorderMountedPod(session, 1, 0));
    for (const auto& [from, to] : {std::pair<std::size_t, std::size_t>{1, 2}, {3, 2}, {2, 0}}) {
        const auto why = ReorderMountedPod(session, from, to);
        EXPECT_NE(why.value_or("").find("after its first 2 entries"), std::string::npos) << from;
    }
    EXPECT_EQ(session.List1.Items(), (Names{"y", "z", "a", "b"}));
    session.SortMode = "no";
    EXPECT_FALSE(ReorderMountedPod(session, 3, 2));
    // The single list and rows that are not there are refused.
    EXPECT_TRUE(WhyNotReorder(session, 1, 4));
    EXPECT_TRUE(WhyNotReorder(session, 5, 0));
    session.ViewMode = 1;
    EXPECT_NE(WhyNotReorder(session, 0, 1).value_or("").find("Side by Side"), std::string::npos);
}

TEST_F(PodOrderTest, TheCountSaysHowManyOfTheLimitAreMounted) {
    session.PodLimit = 3;
    session.GameVersion = "MTM2 Unpatched";
    Mount({"a", "b"});
    EXPECT_EQ(MountCountText(session), "2 of 3 pods mounted (MTM2 Unpatched)");
    EXPECT_FALSE(AtPodLimit(session));
    Mount({"c"});
    EXPECT_TRUE(AtPodLimit(session));
    // The single list counts its check marks.
    Single({{"a", true}, {"x", false}});
    EXPECT_EQ(MountCountText(session), "1 of 3 pods mounted (MTM2 Unpatched)");
    EXPECT_FALSE(AtPodLimit(session));
}

}  // namespace
}  // namespace marvok::podorder
