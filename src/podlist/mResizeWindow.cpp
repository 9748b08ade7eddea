#include "podlist/mResizeWindow.h"

#include <algorithm>
#include <cmath>

#include "podlist/mAvailablePods.h"
#include "podlist/mCommonFunctions.h"
#include "podlist/mPodini.h"

namespace marvok::mResizeWindow {

void ApplyToolbarDisplay(Session& session, std::string_view value, std::string_view word) {
    const bool shown = value == "yes";
    session.ToolbarDisplay = shown ? "yes" : "no";
    session.controls.SetVisible("toolbarFrame", shown);
    session.controls.SetChecked("menuToolbar", shown);
    if (word != "load") {
        podlist::mCommonFunctions::WritePreference(session, "Prefs", "ToolbarDisplay",
                                          session.ToolbarDisplay);
    }
}

void ApplyViewMode(Session& session, short mode, std::string_view word) {
    const bool single = mode == 1;
    session.ViewMode = single ? 1 : 2;
    session.controls.SetChecked("menuViewmode", !single);
    session.controls.SetVisible("List1", !single);
    session.controls.SetVisible("List2", !single);
    session.controls.SetVisible("List3", single);
    session.controls.SetVisible("Label2", !single);
    session.controls.SetVisible("Label4", !single);
    if (word != "load") {
        podlist::mCommonFunctions::WritePreference(session, "Prefs", "ViewMode",
                                          std::to_string(session.ViewMode));
        mPodini::LoadPodList(session, "");
        mAvailablePods::RefreshAvailablePods(session);
    }
}

void ApplySortCheck(Session& session) {
    session.controls.SetChecked("menuSort", session.Sorting());
}

MainWindowGeometry DesignerGeometry() {
    MainWindowGeometry g;
    g.toolbarFrame = {0, 60, 4215, 410};
    g.Label1 = {120, 540, 1305, 195};
    g.Label3 = {1560, 540, 300, 195};
    g.Label2 = {3000, 540, 1695, 195};
    g.Label4 = {4800, 540, 300, 195};
    g.List1 = {200, 840, 2505, 3765};
    g.List2 = {3000, 840, 2500, 3765};
    g.List3 = {6000, 840, 2500, 3660, false};
    g.commFile = {TwipRect{720, 4800, 1215, 495}, TwipRect{2280, 4800, 1215, 495},
                  TwipRect{3960, 4800, 1215, 495}};
    return g;
}

void PlaceToolbar(MainWindowGeometry& g, bool shown) {
    g.toolbarFrame.top = shown ? kToolbarTopShown : kToolbarTopHidden;
    g.toolbarFrame.visible = shown;
    g.Label1.top = g.toolbarFrame.top + kLabelOffset;
    g.Label2.top = g.Label1.top;
    g.Label3.top = g.Label1.top;
    g.Label4.top = g.Label1.top;
    g.List1.top = g.Label1.top + g.Label1.height + kMargin;
    g.List2.top = g.List1.top;
    g.List3.top = g.List1.top;
}

void PlaceViewMode(MainWindowGeometry& g, short mode) {
    const bool sideBySide = mode != 1;
    g.List1.visible = sideBySide;
    g.List2.visible = sideBySide;
    g.Label2.visible = sideBySide;
    g.Label4.visible = sideBySide;
    g.List3.visible = !sideBySide;
    g.Label1.visible = true;
    g.Label3.visible = true;
}

namespace {

// A list control refuses a negative size; the placement stops there, as the window's own
// controls would stop it.
bool SetWidth(TwipRect& r, double width) {
    if (width < 0) {
        return false;
    }
    r.width = width;
    return true;
}

bool SetHeight(TwipRect& r, double height) {
    if (height < 0) {
        return false;
    }
    r.height = height;
    return true;
}

}  // namespace

void LayoutMainWindow(MainWindowGeometry& g, const WindowMetrics& window) {
    if (window.minimized) {
        return;
    }
    const double w = std::round(window.innerWidth);
    const double h = std::round(window.innerHeight);
    const double halfButton = window.buttonWidth / 2;
    if (window.outerWidth >= kRelayoutThreshold) {
        g.List1.left = kMargin;
        g.List3.left = kMargin;
        g.List2.left = w / 2 + kMargin;
        g.Label1.left = g.List1.left;
        g.Label3.left = g.Label1.width + 2 * kMargin;
        g.Label2.left = g.List2.left;
        g.Label4.left = g.Label2.left + g.Label2.width + kMargin;
        if (!SetWidth(g.List1, w / 2 - 2 * kMargin) || !SetWidth(g.List2, g.List1.width) ||
            !SetWidth(g.List3, w - 2 * kMargin)) {
            return;
        }
        g.commFile[0].left = w * 0.25 - halfButton - kMargin;
        g.commFile[1].left = w / 2 - halfButton;
        g.commFile[2].left = w * 0.75 - halfButton + kMargin;
    }
    if (window.outerHeight >= kRelayoutThreshold) {
        g.commFile[0].top = h - kButtonBand - kMargin / 2;
        g.commFile[1].top = g.commFile[0].top;
        g.commFile[2].top = g.commFile[0].top;
        if (!SetHeight(g.List1, g.commFile[0].top - g.List1.top - kMargin / 2) ||
            !SetHeight(g.List2, g.List1.height) || !SetHeight(g.List3, g.List1.height)) {
            return;
        }
    }
}

InnerSize MinimumInnerSize(const LayoutNeeds& n) {
    const double m = kMargin;
    // Side by side the right count ends a margin before the edge, and the left count a margin
    // before the right half starts; the single list's count has the whole width.
    const double widths[] = {
        2 * (3 * m + n.label2Width + n.countWidth),
        2 * (n.label1Width + 2 * m + n.countWidth),
        n.label1Width + 3 * m + n.countOfWidth,
        4 * n.buttonWidth,  // the buttons a margin apart at a quarter of the width each
        DesignerGeometry().toolbarFrame.width + m,
        kRelayoutThreshold,
    };
    InnerSize size;
    for (double w : widths) {
        size.width = std::max(size.width, std::ceil(w));
    }
    const double listTop = kToolbarTopShown + kLabelOffset + n.labelHeight + m;
    // Below the threshold the layout stops following the window, whatever its frame adds.
    size.height = std::ceil(
        std::max(listTop + n.listHeight + m / 2 + std::max(kButtonBand, n.buttonHeight) + m / 2,
                 kRelayoutThreshold));
    return size;
}

MainWindowGeometry ComputeMainWindowGeometry(MainWindowGeometry previous,
                                             const WindowMetrics& window, bool toolbarShown,
                                             short viewMode) {
    PlaceToolbar(previous, toolbarShown);
    PlaceViewMode(previous, viewMode);
    LayoutMainWindow(previous, window);
    return previous;
}

}  // namespace marvok::mResizeWindow
