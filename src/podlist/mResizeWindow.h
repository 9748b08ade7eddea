#pragma once
// The presentation state of the main window: toolbar shown or hidden, single list or side by
// side, the check mark of "Alphabetize Pod.ini".

#include <string_view>

#include "podlist/Session.h"

namespace marvok::mResizeWindow {

// "yes" shows the toolbar, anything else hides it; stored unless word is "load".
void ApplyToolbarDisplay(Session& session, std::string_view value, std::string_view word);
// 1 is the single list, anything else side by side; unless word is "load" the mode is stored
// and pod.ini is reloaded into the new presentation.
void ApplyViewMode(Session& session, short mode, std::string_view word);
void ApplySortCheck(Session& session);

}  // namespace marvok::mResizeWindow
