#pragma once
// Connects the main window's commands to the registry, settings and fonts windows.

#include <functional>

#include "common/Session.h"
#include "platform/Registry.h"
#include "ui/Form1.h"

namespace marvok::ui {

// registry gives the registry on first use; it must outlive the window.
void ConnectSecondaryWindows(Session& session, Form1& window,
                             std::function<platform::Registry&()> registry);

}  // namespace marvok::ui
