#include "podlist/mResizeWindow.h"

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
        mCommonFunctions::WritePreference(session, "Prefs", "ToolbarDisplay",
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
        mCommonFunctions::WritePreference(session, "Prefs", "ViewMode",
                                          std::to_string(session.ViewMode));
        mPodini::LoadPodList(session, "");
        mAvailablePods::RefreshAvailablePods(session);
    }
}

void ApplySortCheck(Session& session) {
    session.controls.SetChecked("menuSort", session.Sorting());
}

}  // namespace marvok::mResizeWindow
