#pragma once
// How the game, a Windows program, is started on this platform: directly on Windows, through
// Wine elsewhere.

#include <optional>
#include <string>
#include <string_view>

#include "common/Desktop.h"

namespace marvok::platform {

struct GameLaunch {
    std::optional<LaunchCommand> command;
    std::string error;  // why the game cannot be started, when there is no command
};

// exePath and gameFolder are native paths. pathVariable is the PATH text to search for Wine.
GameLaunch GameLaunchCommand(std::string_view exePath, std::string_view gameFolder,
                             std::string_view pathVariable);
// The same with the process's own PATH.
GameLaunch GameLaunchCommand(std::string_view exePath, std::string_view gameFolder);

}  // namespace marvok::platform
