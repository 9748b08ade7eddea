// The registry on Linux: the files of the Wine prefix that holds the game, or Marvok's own.

#include <memory>

#include "platform/FileRegistry.h"
#include "platform/Registry.h"
#include "platform/posix/WinePrefix.h"
#include "platform/posix/WineServer.h"
#include "platform/posix/XdgFolders.h"

namespace marvok::platform {
namespace {

// Windows text ("...\MTM2") as a Linux path.
std::string LinuxPath(std::string_view folder) {
    std::string path(folder);
    for (char& c : path) {
        if (c == '\\') {
            c = '/';
        }
    }
    return path;
}

}  // namespace

std::unique_ptr<Registry> CreateRegistry(std::string_view gameFolder) {
    FileRegistry::Options options;
    if (auto prefix = WinePrefix::Find(gameFolder)) {
        options.systemFile = prefix->root + "/system.reg";
        options.userFile = prefix->root + "/user.reg";
        const std::string root = prefix->root;
        options.writeGuard = [root]() -> std::string {
            if (!WineServerRunning(root)) {
                return {};
            }
            return "Wine is running in " + root +
                   " and would overwrite any change to its registry. Close the game and every "
                   "other program of that Wine prefix (or run \"wineserver -k\"), then try "
                   "again. Nothing was changed.";
        };
        options.folderForRegistry = [found = *prefix](std::string_view folder) {
            // A folder the prefix's drives do not reach keeps its Linux form.
            return found.ToWindowsPath(LinuxPath(folder)).value_or(std::string(folder));
        };
    } else {
        const std::string folder = xdg::DataHome() + "/marvok/registry";
        options.systemFile = folder + "/system.reg";
        options.userFile = folder + "/user.reg";
        options.createFolders = true;
    }
    return std::make_unique<FileRegistry>(std::move(options));
}

}  // namespace marvok::platform
