#pragma once
// The File menu, the buttons under the lists, the clipboard copies and the sorting switch.

#include <string>
#include <string_view>

#include "common/Desktop.h"
#include "common/Session.h"

namespace marvok::FileCommands {

// menuFile indexes.
inline constexpr int kNotepad = 0;
inline constexpr int kOpen = 1;
inline constexpr int kSave = 2;
inline constexpr int kSaveAs = 3;
inline constexpr int kSaveAndExit = 4;
inline constexpr int kSaveAndLaunch = 5;
inline constexpr int kCancel = 6;

// Runs the File menu item of that index. A save that fails is reported and ends the command:
// the window stays open, the game is not started and no editor is opened.
void menuFile_Click(Session& session, Desktop& desktop, int index);
// Edit › Restore Last Saved: the pod.ini the last save replaced, into the lists; says why not.
void RestoreLastSaved(Session& session);
// The buttons: 0 "Save && Launch", 1 "Save && Exit", 2 "Cancel".
void commFile_Click(Session& session, Desktop& desktop, int index);

// The pod list file text of a list: the count, then the entries, each line ended by CR LF. Side
// by side every entry is taken; in the single list only those whose check equals checked.
std::string PodListClipboardText(const ListBox& list, bool sideBySide, bool checked);
bool CopyPodListToClipboard(Session& session, Desktop& desktop, const ListBox& list, bool checked);
// 1 copies the mounted pods, 2 the unmounted ones.
void menuClipboard_Click(Session& session, Desktop& desktop, int index);

// Opens a file (a path of the game's own form) with the program the desktop uses for it.
std::string OpenWithShell(Session& session, Desktop& desktop, std::string_view path);
// Starts the game's executable in the game folder without waiting; the empty text on success.
std::string LaunchGame(Session& session, Desktop& desktop);

// "Alphabetize Pod.ini": toggles SortMode, stores it and sets the check mark.
void menuSort_click(Session& session);

}  // namespace marvok::FileCommands
