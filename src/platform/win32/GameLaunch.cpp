#include "platform/GameLaunch.h"

namespace marvok::platform {

GameLaunch GameLaunchCommand(std::string_view exePath, std::string_view gameFolder,
                             std::string_view /*pathVariable*/) {
    GameLaunch launch;
    LaunchCommand command;
    command.program = std::string(exePath);
    command.workingFolder = std::string(gameFolder);
    launch.command = std::move(command);
    return launch;
}

GameLaunch GameLaunchCommand(std::string_view exePath, std::string_view gameFolder) {
    return GameLaunchCommand(exePath, gameFolder, {});
}

}  // namespace marvok::platform
