#pragma once
// What the main window's lists, menus, toolbar and buttons do, without the window: each handler
// runs on the session and the desktop port; the window then shows the session again.

#include <functional>

#include "common/Desktop.h"
#include "common/Session.h"

namespace marvok {

// The windows and tools that other modules bring. Each does nothing until it is set.
struct WindowHooks {
    std::function<void()> showRegistry;              // "Registry Info", toolbar "Registry"
    std::function<void()> showFonts;                 // "Fonts && Things", toolbar "Fonts & Things"
    std::function<void()> showPaths;                 // "Set Paths", toolbar "Paths"
    std::function<void()> showAbout;                 // "About", toolbar "About"
    std::function<void(int)> changeProgramShortcut;  // Shortcuts 1 "Desktop", 2 "Start Menu"
    std::function<void()> registerShellExtensions;   // Shortcuts 5
};

class MainWindowEvents {
public:
    MainWindowEvents(Session& session, Desktop& desktop) : session_(session), desktop_(desktop) {}

    WindowHooks& Hooks() { return hooks_; }

    // Side by side: a click unmounts (List1) or mounts (List2, under the pod limit).
    void List1_Click(std::size_t position);
    void List2_Click(std::size_t position);
    // Single list: a click toggles the entry's check; a check beyond the limit is undone.
    void List3_Click(std::size_t position);

    void menuFile_Click(int index);
    void commFile_Click(int index);
    // Returns whether the focus goes back to "Save && Exit" (buttons 0 to 5).
    bool toolbar_Click(int index);
    void menuRefresh_Click();
    void menuRestore_Click(int index);  // 1 "Default", 2 "Minimal"
    void menuClipboard_Click(int index);
    void menuShortcuts_Click(int index);
    void menuPrefs_Click(int index);  // 1 registry, 2 fonts, 3 paths
    void menuToolbar_Click();
    void menuViewmode_Click();
    void menuSort_click();
    void menuAbout_Click();

private:
    static void Call(const std::function<void()>& hook) {
        if (hook) {
            hook();
        }
    }

    Session& session_;
    Desktop& desktop_;
    WindowHooks hooks_;
};

}  // namespace marvok
