#pragma once
// The presentation state of the main window (toolbar shown or hidden, single list or side by
// side, the check mark of "Alphabetize Pod.ini") and the placement of its controls.

#include <array>
#include <string_view>

#include "common/Session.h"

namespace marvok::mResizeWindow {

// "yes" shows the toolbar, anything else hides it; stored unless word is "load".
void ApplyToolbarDisplay(Session& session, std::string_view value, std::string_view word);
// 1 is the single list, anything else side by side; unless word is "load" the mode is stored
// and pod.ini is reloaded into the new presentation.
void ApplyViewMode(Session& session, short mode, std::string_view word);
void ApplySortCheck(Session& session);

// A control's place in twips, from the top left corner of the window's inner area. Fractions of
// a twip are kept: the layout divides exactly.
struct TwipRect {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
    bool visible = true;
};

struct MainWindowGeometry {
    TwipRect toolbarFrame;
    TwipRect Label1;  // "Number in Pod.in : "
    TwipRect Label2;  // "Number NOT mounted : "
    TwipRect Label3;  // mounted count, sized to its text
    TwipRect Label4;  // unmounted count, sized to its text
    TwipRect List1;
    TwipRect List2;
    TwipRect List3;
    std::array<TwipRect, 3> commFile;
};

// The window as the layout sees it, in twips.
struct WindowMetrics {
    double innerWidth = 5700;
    double innerHeight = 5520;
    double outerWidth = 5700;  // with the frame and the menu bar
    double outerHeight = 5520;
    bool minimized = false;
    double buttonWidth = 1215;  // the width the three buttons are centred by
};

inline constexpr double kMargin = 130;
inline constexpr double kToolbarTopShown = 60;
inline constexpr double kToolbarTopHidden = -450;
inline constexpr double kLabelOffset = 540;
inline constexpr double kButtonWidth = 1215;
inline constexpr double kButtonBand = 495;
inline constexpr double kRelayoutThreshold = 5000;

// The controls as the window is designed, before the first layout.
MainWindowGeometry DesignerGeometry();

// Moves the toolbar in or out of sight and the labels and lists with it.
void PlaceToolbar(MainWindowGeometry& geometry, bool shown);
// Shows the controls of the presentation: side by side (any mode but 1) or the single list.
void PlaceViewMode(MainWindowGeometry& geometry, short mode);
// Fits the lists and the buttons to the window. A window narrower or lower than the threshold
// keeps the horizontal or vertical placement it had; a minimised one keeps everything.
void LayoutMainWindow(MainWindowGeometry& geometry, const WindowMetrics& window);

// What the captions, the widest counts and the buttons need, in twips.
struct LayoutNeeds {
    double label1Width = 1305;  // "Number in Pod.in : "
    double label2Width = 1695;  // "Number NOT mounted : "
    double countWidth = 300;    // the widest count side by side
    double countOfWidth = 300;  // the widest single-list count, "N of M"
    double labelHeight = 195;
    double buttonWidth = kButtonWidth;
    double buttonHeight = kButtonBand;
    double listHeight = 0;  // the least a list keeps in view
};

struct InnerSize {
    double width = 0;
    double height = 0;
};

// The smallest inner area in which the layout leaves every caption and count whole, the three
// buttons apart, and the lists their least height, in both presentations and with the toolbar.
InnerSize MinimumInnerSize(const LayoutNeeds& needs);

// The whole placement for a window size, toolbar state and presentation, starting from the
// placement the window had (which a small or minimised window keeps).
MainWindowGeometry ComputeMainWindowGeometry(MainWindowGeometry previous,
                                             const WindowMetrics& window, bool toolbarShown,
                                             short viewMode);

}  // namespace marvok::mResizeWindow
