#pragma once
// The program's own shortcuts: to Marvok on the desktop and in the Start menu (the Shortcuts
// menu's check marks show which exist), and desktop shortcuts that install one pod list.

#include <string>
#include <string_view>

#include "common/Session.h"
#include "shell/cShortcut.h"
#include "shell/mSpecialFolders.h"

namespace marvok::mShortcutsPlus {

using mSpecialFolders::ExpandEnvironment;
using mSpecialFolders::GetSpecialFolder;

inline constexpr std::string_view kProgramShortcutDescription = "Shortcut to Marvok";
inline constexpr std::string_view kListShortcutDescription = "RAD Odevovi";

// which: "all", "desktop", "startmenu" or "sendto". Sets the check marks of menuShortcuts 1 to 3
// that which covers; answers whether the program's shortcut named by which exists ("all": no).
bool CheckProgramShortcuts(Session& session, std::string_view which, const ShellServices& shell);
bool CheckProgramShortcuts(Session& session, std::string_view which);

// 0 makes the desktop shortcut, 1 removes it, 2 makes the Start menu shortcut, 3 removes it,
// 4 does nothing; then the check marks are brought up to date. Fails silently, leaving the
// check marks as they were.
void ChangeProgramShortcut(Session& session, short action, const ShellServices& shell);
void ChangeProgramShortcut(Session& session, short action);

// The Shortcuts menu's items by index: 1 "Desktop" and 2 "Start Menu" remove the program's
// shortcut there when it exists and make it when not; 3 "Send to" does nothing.
void ToggleProgramShortcut(Session& session, int index, const ShellServices& shell);
void ToggleProgramShortcut(Session& session, int index);

// A shortcut on the user's desktop, named after the file in lower case, that starts the program
// with "/i <file>" so that opening it installs the list. Answers the empty text when it was
// made, else why not.
std::string CreateListShortcut(Session& session, const std::string& file,
                               const ShellServices& shell);
std::string CreateListShortcut(Session& session, const std::string& file);

// The program's executable in the game folder: what both kinds of shortcut start.
std::string ProgramTarget(const Session& session);

}  // namespace marvok::mShortcutsPlus
