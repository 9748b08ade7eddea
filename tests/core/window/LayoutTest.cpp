#include <gtest/gtest.h>

#include "podlist/mResizeWindow.h"

namespace marvok::mResizeWindow {
namespace {

WindowMetrics Window(double width, double height) {
    WindowMetrics w;
    w.innerWidth = width;
    w.innerHeight = height;
    w.outerWidth = width + 120;    // the frame
    w.outerHeight = height + 700;  // the frame, title and menu bar
    return w;
}

TEST(LayoutTest, WideWindowSplitsTheListsAndCentresTheButtons) {
    MainWindowGeometry g =
        ComputeMainWindowGeometry(DesignerGeometry(), Window(8000, 6000), true, 2);
    EXPECT_DOUBLE_EQ(g.List1.left, 130);
    EXPECT_DOUBLE_EQ(g.List1.left + g.List1.width, 3870);
    EXPECT_DOUBLE_EQ(g.List2.left, 4130);
    EXPECT_DOUBLE_EQ(g.List2.width, 3740);
    EXPECT_DOUBLE_EQ(g.List3.left, 130);
    EXPECT_DOUBLE_EQ(g.List3.width, 7740);
    EXPECT_DOUBLE_EQ(g.commFile[0].left, 1262.5);
    EXPECT_DOUBLE_EQ(g.commFile[1].left, 3392.5);
    EXPECT_DOUBLE_EQ(g.commFile[2].left, 5522.5);
    // The counts follow their captions at the designed widths.
    EXPECT_DOUBLE_EQ(g.Label3.left, 1565);
    EXPECT_DOUBLE_EQ(g.Label4.left, 130 + g.List2.left + 1695);
}

TEST(LayoutTest, ButtonsSitInTheBandAtTheBottomAndTheListsEndAboveThem) {
    MainWindowGeometry g =
        ComputeMainWindowGeometry(DesignerGeometry(), Window(8000, 6000), true, 2);
    for (const auto& button : g.commFile) {
        EXPECT_DOUBLE_EQ(button.top, 6000 - 495 - 65);
    }
    EXPECT_DOUBLE_EQ(g.List1.top, 600 + 195 + 130);
    EXPECT_DOUBLE_EQ(g.List1.top + g.List1.height, g.commFile[0].top - 65);
    EXPECT_DOUBLE_EQ(g.List2.height, g.List1.height);
    EXPECT_DOUBLE_EQ(g.List3.height, g.List1.height);
}

TEST(LayoutTest, InnerSizeIsRoundedBeforeDividing) {
    MainWindowGeometry g =
        ComputeMainWindowGeometry(DesignerGeometry(), Window(8000.4, 6000.6), true, 2);
    EXPECT_DOUBLE_EQ(g.List2.left, 4130);
    EXPECT_DOUBLE_EQ(g.commFile[0].top, 6001 - 560);
}

TEST(LayoutTest, HidingTheToolbarLiftsLabelsAndListsBy510) {
    const MainWindowGeometry shown =
        ComputeMainWindowGeometry(DesignerGeometry(), Window(6000, 6000), true, 2);
    const MainWindowGeometry hidden =
        ComputeMainWindowGeometry(shown, Window(6000, 6000), false, 2);
    EXPECT_DOUBLE_EQ(shown.Label1.top, 600);
    EXPECT_DOUBLE_EQ(hidden.Label1.top, 90);
    for (const auto* label : {&hidden.Label2, &hidden.Label3, &hidden.Label4}) {
        EXPECT_DOUBLE_EQ(label->top, 90);
    }
    EXPECT_DOUBLE_EQ(shown.List1.top - hidden.List1.top, 510);
    EXPECT_DOUBLE_EQ(hidden.List3.top, hidden.List1.top);
    // The lists grow by what the labels gave up; the buttons stay.
    EXPECT_DOUBLE_EQ(hidden.List1.height - shown.List1.height, 510);
    EXPECT_DOUBLE_EQ(hidden.commFile[0].top, shown.commFile[0].top);
    EXPECT_DOUBLE_EQ(hidden.toolbarFrame.top, -450);
    EXPECT_FALSE(hidden.toolbarFrame.visible);
    // And back.
    const MainWindowGeometry again = ComputeMainWindowGeometry(hidden, Window(6000, 6000), true, 2);
    EXPECT_DOUBLE_EQ(again.toolbarFrame.top, 60);
    EXPECT_TRUE(again.toolbarFrame.visible);
    EXPECT_DOUBLE_EQ(again.List1.top, shown.List1.top);
}

TEST(LayoutTest, PresentationChoosesTheVisibleControls) {
    const MainWindowGeometry single =
        ComputeMainWindowGeometry(DesignerGeometry(), Window(6000, 6000), true, 1);
    EXPECT_TRUE(single.List3.visible);
    EXPECT_FALSE(single.List1.visible);
    EXPECT_FALSE(single.List2.visible);
    EXPECT_FALSE(single.Label2.visible);
    EXPECT_FALSE(single.Label4.visible);
    EXPECT_TRUE(single.Label1.visible);
    EXPECT_TRUE(single.Label3.visible);
    // Any mode but 1 is side by side.
    const MainWindowGeometry other = ComputeMainWindowGeometry(single, Window(6000, 6000), true, 7);
    EXPECT_FALSE(other.List3.visible);
    EXPECT_TRUE(other.List1.visible && other.List2.visible && other.Label4.visible);
}

struct SmallWindowCase {
    const char* name;
    double width;
    double height;
    bool horizontalKept;
    bool verticalKept;
};

void PrintTo(const SmallWindowCase& c, std::ostream* out) {
    *out << c.name;
}

class SmallWindowTest : public ::testing::TestWithParam<SmallWindowCase> {};

// Below the threshold (outer size 5000) a direction keeps the placement it had.
TEST_P(SmallWindowTest, KeepsThePlacementOfTheNarrowOrLowDirection) {
    const SmallWindowCase& c = GetParam();
    const MainWindowGeometry before =
        ComputeMainWindowGeometry(DesignerGeometry(), Window(8000, 8000), true, 2);
    WindowMetrics small;
    small.innerWidth = c.width;
    small.innerHeight = c.height;
    small.outerWidth = c.width;
    small.outerHeight = c.height;
    const MainWindowGeometry after = ComputeMainWindowGeometry(before, small, true, 2);
    EXPECT_EQ(after.List2.left == before.List2.left, c.horizontalKept);
    EXPECT_EQ(after.List1.width == before.List1.width, c.horizontalKept);
    EXPECT_EQ(after.commFile[2].left == before.commFile[2].left, c.horizontalKept);
    EXPECT_EQ(after.commFile[0].top == before.commFile[0].top, c.verticalKept);
    EXPECT_EQ(after.List1.height == before.List1.height, c.verticalKept);
}

std::string CaseName(const ::testing::TestParamInfo<SmallWindowCase>& param) {
    return param.param.name;
}

INSTANTIATE_TEST_SUITE_P(Thresholds, SmallWindowTest,
                         ::testing::Values(SmallWindowCase{"Narrow", 4999, 6000, true, false},
                                           SmallWindowCase{"ExactlyAtTheThreshold", 5000, 5000,
                                                           false, false},
                                           SmallWindowCase{"Low", 6000, 4999, false, true},
                                           SmallWindowCase{"Both", 3000, 3000, true, true}),
                         CaseName);

TEST(LayoutTest, MinimisedWindowKeepsEverythingAndRestoringReapplies) {
    const MainWindowGeometry before =
        ComputeMainWindowGeometry(DesignerGeometry(), Window(8000, 7000), true, 2);
    WindowMetrics minimised = Window(2000, 0);
    minimised.minimized = true;
    MainWindowGeometry during = before;
    LayoutMainWindow(during, minimised);
    EXPECT_DOUBLE_EQ(during.List1.width, before.List1.width);
    EXPECT_DOUBLE_EQ(during.List1.height, before.List1.height);
    EXPECT_DOUBLE_EQ(during.commFile[1].left, before.commFile[1].left);
    LayoutMainWindow(during, Window(8000, 7000));
    EXPECT_DOUBLE_EQ(during.List1.height, before.List1.height);
    EXPECT_DOUBLE_EQ(during.commFile[2].left, before.commFile[2].left);
}

TEST(LayoutTest, ARefusedSizeStopsThePlacementWhereItIs) {
    MainWindowGeometry g = DesignerGeometry();
    WindowMetrics tall;  // a very tall outer frame around a tiny inner area
    tall.innerWidth = 8000;
    tall.innerHeight = 1000;
    tall.outerWidth = 8000;
    tall.outerHeight = 6000;
    LayoutMainWindow(g, tall);
    EXPECT_DOUBLE_EQ(g.commFile[0].top, 1000 - 560);  // placed before the refusal
    EXPECT_DOUBLE_EQ(g.List1.height, 3765);           // negative height refused, kept
    EXPECT_DOUBLE_EQ(g.List3.height, 3660);
}

TEST(LayoutTest, WiderButtonsAreCentredByTheirOwnWidth) {
    WindowMetrics w = Window(8000, 6000);
    w.buttonWidth = 1515;
    MainWindowGeometry g = ComputeMainWindowGeometry(DesignerGeometry(), w, true, 2);
    EXPECT_DOUBLE_EQ(g.commFile[1].left + 1515 / 2.0, 4000);
}

// At the least size the layout allows, for captions, counts and buttons small and large, every
// caption and count ends before the next one and inside the window, and the buttons stay apart.
class MinimumSizeTest : public ::testing::TestWithParam<LayoutNeeds> {};

TEST_P(MinimumSizeTest, LeavesEveryCaptionCountAndButtonWhole) {
    const LayoutNeeds needs = GetParam();
    const InnerSize least = MinimumInnerSize(needs);
    for (short mode : {short{1}, short{2}}) {
        MainWindowGeometry g = DesignerGeometry();
        g.Label1.width = needs.label1Width;
        g.Label2.width = needs.label2Width;
        g.Label3.width = mode == 1 ? needs.countOfWidth : needs.countWidth;
        g.Label4.width = needs.countWidth;
        g.Label1.height = needs.labelHeight;
        WindowMetrics w = Window(least.width, least.height);
        w.buttonWidth = needs.buttonWidth;
        g = ComputeMainWindowGeometry(g, w, true, mode);
        const auto right = [](const TwipRect& r) { return r.left + r.width; };
        EXPECT_LE(right(g.Label1), g.Label3.left) << mode;
        if (mode == 2) {
            EXPECT_LE(right(g.Label3), g.Label2.left);
            EXPECT_LE(right(g.Label2), g.Label4.left);
            EXPECT_LE(right(g.Label4), least.width - kMargin);
        } else {
            EXPECT_LE(right(g.Label3), least.width - kMargin);
        }
        EXPECT_GE(g.commFile[0].left, 0);
        EXPECT_LT(right(g.commFile[0]), g.commFile[1].left);
        EXPECT_LT(right(g.commFile[1]), g.commFile[2].left);
        EXPECT_LE(right(g.commFile[2]), least.width);
        EXPECT_GE(g.List1.height, needs.listHeight);
        EXPECT_LE(g.commFile[0].top + needs.buttonHeight, least.height);
    }
    EXPECT_GE(least.width, kRelayoutThreshold);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, MinimumSizeTest,
    ::testing::Values(LayoutNeeds{},
                      // a 9 pt font: wider captions than designed, five-digit counts
                      LayoutNeeds{1900, 2300, 700, 1700, 240, 1400, 520, 900},
                      // a large font
                      LayoutNeeds{3200, 3900, 1200, 2900, 400, 2400, 560, 1500}));

}  // namespace
}  // namespace marvok::mResizeWindow
