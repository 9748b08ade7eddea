#pragma once
// A Wine prefix seen from Linux: its drives (dosdevices/) and Wine's short (8.3) names.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/WineShortName.h"

namespace marvok::platform {

struct WineDrive {
    char letter = 'c';   // lower case
    std::string target;  // the folder the drive stands for, resolved, without trailing "/"
};

struct WinePrefix {
    std::string root;  // the prefix folder, holding system.reg and drive_c/
    std::vector<WineDrive> drives;

    // The prefix holding a native path: the nearest parent with system.reg and drive_c/.
    static std::optional<WinePrefix> Find(std::string_view nativePath);
    // The prefix at root, with its drives read from dosdevices/.
    static WinePrefix Load(std::string root);

    // The folder a drive letter stands for; nothing for an unknown drive.
    std::optional<std::string> DriveFolder(char letter) const;
    // The Windows form ("C:\Games\MTM2") of an existing native path: the drive whose folder holds
    // the path most closely. Nothing when no drive holds it.
    std::optional<std::string> ToWindowsPath(std::string_view nativePath) const;
};


}  // namespace marvok::platform
