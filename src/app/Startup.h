#pragma once
// The start-up and shutdown sequences of the main window, without the window itself.

#include <functional>
#include <ostream>
#include <string>
#include <string_view>

#include "platform/Process.h"
#include "podlist/Session.h"

namespace marvok::Startup {

struct Services {
    // Makes the desktop shortcut that installs a pod list ("desktop" operator); answers whether
    // it was made (a failure is reported by the routine).
    std::function<bool(Session&, const std::string& file)> createListShortcut;
    // Where "install" names the entries it did not mount (standard error when null).
    std::ostream* standardError = nullptr;
    // The user's own data folder (native path), where the pod.ini a save replaces is kept; empty:
    // nothing is kept.
    std::string dataFolder;
};

struct Result {
    bool showWindow = true;
    int exitCode = 0;
};

// Fixes the paths, reads the preferences, detects the game, carries out the command line and,
// when the window is to be shown, fills the unmounted list.
Result FormLoad(Session& session, std::string_view programFolder,
                const platform::CommandLineInput& commandLine, const Services& services = {});
// Asks whether to create a missing pod.ini; the caller then closes the windows and ends.
void FormUnload(Session& session);

}  // namespace marvok::Startup
