#include "platform/GameLaunch.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "platform/posix/WinePrefix.h"

namespace marvok::platform {
namespace {

bool IsExecutableFile(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0;
}

// The first executable of that name in the folders of a PATH text; empty folders mean the
// current one, as the shell takes them, and are skipped here: the game must not depend on it.
std::optional<std::string> FindOnPath(std::string_view name, std::string_view pathVariable) {
    std::size_t start = 0;
    while (start <= pathVariable.size()) {
        std::size_t end = pathVariable.find(':', start);
        if (end == std::string_view::npos) {
            end = pathVariable.size();
        }
        std::string folder(pathVariable.substr(start, end - start));
        if (!folder.empty() && folder.front() == '/') {
            const std::string candidate =
                folder + (folder.back() == '/' ? "" : "/") + std::string(name);
            if (IsExecutableFile(candidate)) {
                return candidate;
            }
        }
        start = end + 1;
    }
    return std::nullopt;
}

}  // namespace

GameLaunch GameLaunchCommand(std::string_view exePath, std::string_view gameFolder,
                             std::string_view pathVariable) {
    GameLaunch launch;
    const auto wine = FindOnPath("wine", pathVariable);
    if (!wine) {
        launch.error =
            "The game is a Windows program and needs Wine to run here, but the program "
            "\"wine\" was not found. Install Wine (for example the package \"wine\") and try "
            "again.";
        return launch;
    }
    LaunchCommand command;
    command.program = *wine;
    command.arguments = {std::string(exePath)};
    command.workingFolder = std::string(gameFolder);
    // The game belongs to the prefix that holds it, whatever WINEPREFIX says outside.
    if (const auto prefix = WinePrefix::Find(gameFolder)) {
        command.environment.emplace_back("WINEPREFIX", prefix->root);
    }
    launch.command = std::move(command);
    return launch;
}

GameLaunch GameLaunchCommand(std::string_view exePath, std::string_view gameFolder) {
    const char* path = std::getenv("PATH");
    return GameLaunchCommand(exePath, gameFolder, path != nullptr ? path : "");
}

}  // namespace marvok::platform
