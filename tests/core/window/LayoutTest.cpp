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

MainWindowGeometry Laid(double width, double height, bool toolbar = true, short mode = 2,
                        const MainWindowGeometry& from = DesignerGeometry()) {
    return ComputeMainWindowGeometry(from, Window(width, height), toolbar, mode);
}

double Right(const TwipRect& r) { return r.left + r.width; }

// The names of the controls shown.
std::string Shown(const MainWindowGeometry& g) {
    std::string shown;
    const std::pair<const char*, const TwipRect*> controls[] = {
        {"toolbar", &g.toolbarFrame}, {"Label1", &g.Label1}, {"Label2", &g.Label2},
        {"Label3", &g.Label3},        {"Label4", &g.Label4}, {"List1", &g.List1},
        {"List2", &g.List2},          {"List3", &g.List3}};
    for (const auto& [name, rect] : controls) {
        shown += rect->visible ? std::string(shown.empty() ? "" : " ") + name : "";
    }
    return shown;
}

TEST(LayoutTest, AWideWindowSplitsTheListsAndCentresTheButtonsInTheBandAtTheBottom) {
    // The inner size is rounded before dividing.
    const MainWindowGeometry g = Laid(8000.4, 6000.6);
    EXPECT_DOUBLE_EQ(g.List1.left, 130);
    EXPECT_DOUBLE_EQ(Right(g.List1), 3870);
    EXPECT_DOUBLE_EQ(g.List2.left, 4130);
    EXPECT_DOUBLE_EQ(g.List2.width, 3740);
    EXPECT_DOUBLE_EQ(g.List3.left, 130);
    EXPECT_DOUBLE_EQ(g.List3.width, 7740);
    const double lefts[] = {1262.5, 3392.5, 5522.5};
    for (int i = 0; i < 3; ++i) {
        EXPECT_DOUBLE_EQ(g.commFile[i].left, lefts[i]);
        EXPECT_DOUBLE_EQ(g.commFile[i].top, 6001 - 495 - 65);
    }
    // The counts follow their captions at the designed widths.
    EXPECT_DOUBLE_EQ(g.Label3.left, 1565);
    EXPECT_DOUBLE_EQ(g.Label4.left, 130 + g.List2.left + 1695);
    EXPECT_DOUBLE_EQ(g.List1.top, 600 + 195 + 130);
    EXPECT_DOUBLE_EQ(g.List1.top + g.List1.height, g.commFile[0].top - 65);
    EXPECT_DOUBLE_EQ(g.List2.height, g.List1.height);
    EXPECT_DOUBLE_EQ(g.List3.height, g.List1.height);
    WindowMetrics wide = Window(8000, 6000);
    wide.buttonWidth = 1515;  // wider buttons are centred by their own width
    EXPECT_DOUBLE_EQ(
        ComputeMainWindowGeometry(DesignerGeometry(), wide, true, 2).commFile[1].left + 1515 / 2.0,
        4000);
}

TEST(LayoutTest, HidingTheToolbarLiftsLabelsAndListsBy510AndThePresentationPicksTheControls) {
    const MainWindowGeometry shown = Laid(6000, 6000);
    const MainWindowGeometry hidden = Laid(6000, 6000, false, 2, shown);
    EXPECT_DOUBLE_EQ(shown.Label1.top, 600);
    for (const auto* label : {&hidden.Label1, &hidden.Label2, &hidden.Label3, &hidden.Label4}) {
        EXPECT_DOUBLE_EQ(label->top, 90);
    }
    EXPECT_DOUBLE_EQ(shown.List1.top - hidden.List1.top, 510);
    EXPECT_DOUBLE_EQ(hidden.List3.top, hidden.List1.top);
    // The lists grow by what the labels gave up; the buttons stay.
    EXPECT_DOUBLE_EQ(hidden.List1.height - shown.List1.height, 510);
    EXPECT_DOUBLE_EQ(hidden.commFile[0].top, shown.commFile[0].top);
    EXPECT_DOUBLE_EQ(hidden.toolbarFrame.top, -450);
    EXPECT_EQ(Shown(hidden), "Label1 Label2 Label3 Label4 List1 List2");
    const MainWindowGeometry again = Laid(6000, 6000, true, 2, hidden);
    EXPECT_DOUBLE_EQ(again.toolbarFrame.top, 60);
    EXPECT_DOUBLE_EQ(again.List1.top, shown.List1.top);
    EXPECT_EQ(Shown(again), "toolbar Label1 Label2 Label3 Label4 List1 List2");
    const MainWindowGeometry single = Laid(6000, 6000, true, 1);
    EXPECT_EQ(Shown(single), "toolbar Label1 Label3 List3");
    EXPECT_EQ(Shown(Laid(6000, 6000, true, 7, single)), Shown(again));  // any mode but 1
}

// Below the threshold (outer size 5000) a direction keeps the placement it had; a minimised
// window keeps everything, and a refused size stops the placement where it is.
TEST(LayoutTest, ANarrowLowOrMinimisedWindowKeepsThePlacementItHad) {
    const MainWindowGeometry before = Laid(8000, 8000);
    struct Case {
        double width, height;
        bool horizontalKept, verticalKept;
    };
    for (const Case& c : {Case{4999, 6000, true, false}, Case{5000, 5000, false, false},
                          Case{6000, 4999, false, true}, Case{3000, 3000, true, true}}) {
        WindowMetrics small;
        small.innerWidth = small.outerWidth = c.width;
        small.innerHeight = small.outerHeight = c.height;
        const MainWindowGeometry after = ComputeMainWindowGeometry(before, small, true, 2);
        EXPECT_EQ(after.List2.left == before.List2.left, c.horizontalKept) << c.width;
        EXPECT_EQ(after.List1.width == before.List1.width, c.horizontalKept) << c.width;
        EXPECT_EQ(after.commFile[2].left == before.commFile[2].left, c.horizontalKept) << c.width;
        EXPECT_EQ(after.commFile[0].top == before.commFile[0].top, c.verticalKept) << c.height;
        EXPECT_EQ(after.List1.height == before.List1.height, c.verticalKept) << c.height;
    }
    WindowMetrics minimised = Window(6000, 6000);  // a size that would move everything
    minimised.minimized = true;
    MainWindowGeometry during = before;
    LayoutMainWindow(during, minimised);
    EXPECT_DOUBLE_EQ(during.List1.width, before.List1.width);
    EXPECT_DOUBLE_EQ(during.List1.height, before.List1.height);
    EXPECT_DOUBLE_EQ(during.commFile[1].left, before.commFile[1].left);
    MainWindowGeometry g = DesignerGeometry();
    WindowMetrics tall;  // a very tall outer frame around a tiny inner area
    tall.innerWidth = tall.outerWidth = 8000;
    tall.innerHeight = 1000;
    tall.outerHeight = 6000;
    LayoutMainWindow(g, tall);
    EXPECT_DOUBLE_EQ(g.commFile[0].top, 1000 - 560);  // placed before the refusal
    EXPECT_DOUBLE_EQ(g.List1.height, 3765);           // negative height refused, kept
    EXPECT_DOUBLE_EQ(g.List3.height, 3660);
    tall.innerHeight = 1465;  // the buttons' band right under the lists: a height of nothing is one
    LayoutMainWindow(g, tall);
    EXPECT_DOUBLE_EQ(g.List1.height, 0);
    EXPECT_DOUBLE_EQ(g.List3.height, 0);
}

// At the least size the layout allows, for captions, counts and buttons small and large, every
// caption and count ends before the next one and inside the window, and the buttons stay apart.
TEST(LayoutTest, TheMinimumSizeLeavesEveryCaptionCountAndButtonWhole) {
    const LayoutNeeds sizes[] = {
        LayoutNeeds{},
        LayoutNeeds{1900, 2300, 700, 1700, 240, 1400, 520, 900},   // a 9 pt font
        LayoutNeeds{3200, 3900, 1200, 2900, 400, 2400, 560, 1500}  // a large font
    };
    for (const LayoutNeeds& needs : sizes) {
        const InnerSize least = MinimumInnerSize(needs);
        EXPECT_GE(least.width, kRelayoutThreshold);
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
            SCOPED_TRACE(std::to_string(needs.label1Width) + " mode " + std::to_string(mode));
            EXPECT_LE(Right(g.Label1), g.Label3.left);
            if (mode == 2) {
                EXPECT_LE(Right(g.Label3), g.Label2.left);
                EXPECT_LE(Right(g.Label2), g.Label4.left);
            }
            EXPECT_LE(Right(mode == 2 ? g.Label4 : g.Label3), least.width - kMargin);
            EXPECT_GE(g.commFile[0].left, 0);
            EXPECT_LT(Right(g.commFile[0]), g.commFile[1].left);
            EXPECT_LT(Right(g.commFile[1]), g.commFile[2].left);
            EXPECT_LE(Right(g.commFile[2]), least.width);
            EXPECT_GE(g.List1.height, needs.listHeight);
            EXPECT_LE(g.commFile[0].top + needs.buttonHeight, least.height);
        }
    }
}

}  // namespace
}  // namespace marvok::mResizeWindow
