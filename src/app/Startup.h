#pragma once
// The start-up and shutdown sequences of the main window, without the window itself.

#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <ostream>
#include <string>
#include <string_view>
#include <thread>

#include "common/Session.h"
#include "common/UserInterface.h"
#include "platform/Process.h"

namespace marvok {
struct WindowHooks;
}

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
// The user interface of the thread that made the relay, for any thread: a call from another thread
// waits until RunBeside serves it on this one, so that message boxes stay with the windows.
class UserInterfaceRelay final : public UserInterface {
public:
    explicit UserInterfaceRelay(UserInterface& target);
    MessageAnswer ShowMessage(std::string_view title, std::string_view text, MessageIcon icon,
                              MessageButtons buttons, int defaultButton = 0) override;
    std::string ShowFileDialog(const FileDialogRequest& request) override;

    // Runs work on a second thread while foreground runs on this one, then serves work's calls to
    // the user until work ends; work's exception, if any, is thrown here. Without a second thread
    // the two run one after the other.
    Result RunBeside(const std::function<Result()>& work, const std::function<void()>& foreground);

private:
    void OnHomeThread(const std::function<void()>& call);
    UserInterface& target_;
    const std::thread::id home_;
    std::mutex mutex_;
    std::condition_variable changed_;
    const std::function<void()>* pending_ = nullptr;
    std::exception_ptr callFailure_;  // what the pending call threw
    bool workDone_ = false;
};

// Hooks the shortcut routines into start-up: the check marks once the preferences are read, and
// the shortcut of the "desktop" operator, whose failure is reported.
Services ShortcutServices(Session& session);
// The main window's Shortcuts menu: "Desktop" and "Start Menu" toggle the program's shortcut.
void HookShortcutsMenu(Session& session, WindowHooks& hooks);

}  // namespace marvok::Startup
