#pragma once
// The program's shared state: the paths fixed at start-up, the detected game, the preferences,
// the three lists and the controls' state. Passed explicitly to every routine.

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/Controls.h"
#include "common/ListBox.h"
#include "common/NotMounted.h"
#include "common/UserInterface.h"

namespace marvok::platform {
class FileSystem;
class SettingsStore;
}  // namespace marvok::platform

namespace marvok {

inline constexpr std::string_view kAppTitle = "Marvok";

class Session {
  public:
    Session(platform::FileSystem& fileSystem, platform::SettingsStore& settingsStore,
            UserInterface& userInterface)
        : fs(fileSystem), settings(settingsStore), ui(userInterface) {}

    platform::FileSystem& fs;
    platform::SettingsStore& settings;
    UserInterface& ui;

    // Fixed at start-up.
    std::string GameFolder;
    std::string PodIniPath;
    std::string MonsterIniPath;

    // The detected game.
    std::string GameExeName;
    std::string GameExePath;
    std::string GameVersion = "Unknown";
    short PodLimit = 30;

    // Preferences.
    std::string ToolbarDisplay = "yes";
    short ViewMode = 2;
    std::string SortMode = "no";
    short KeepOnTop = 24;
    short FolderDepth = -1;
    std::array<std::string, 4> UserPaths;

    ListBox List1{ListStyle::Plain};
    ListBox List2{ListStyle::Sorted};
    ListBox List3{ListStyle::CheckBoxes};
    // What the last loaded list did not mount, and what discovery found the game cannot mount.
    LoadReport NotMounted;
    UnmountablePods Unmountable;
    Controls controls;
    std::string Label3 = "zero";
    std::string Label4 = "zero";
    std::string Caption;

    // The list being edited: the file it was last read from or written to ("pod.ini" at first),
    // and what pod.ini holds as this program last read or wrote it (nothing when there is no
    // pod.ini), to tell an unsaved change.
    std::string ListName = "pod.ini";
    std::optional<std::vector<std::string>> PodIniEntries;
    // The user folders the last discovery could take no pods from: "<folder>: <why>".
    std::vector<std::string> SkippedUserFolders;
    // Where the pod.ini that the last save replaced is kept (a native path in the user's own
    // data folder, never in the game folder); empty when none is kept.
    std::string LastSavedCopy;

    // Sets the check marks of the Shortcuts menu; installed by Startup::ShortcutServices.
    std::function<void(Session&)> checkProgramShortcuts;

    bool SideBySide() const { return ViewMode != 1; }
    bool Sorting() const;
};

// The mounted pods' entries in mount order, in either presentation (the checked single-list rows).
std::vector<std::string> MountedEntries(const Session& session);

// GameFolder, PodIniPath and MonsterIniPath from the program's own folder.
void SetGamePaths(Session& session, std::string_view programFolder);

}  // namespace marvok
