#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "platform/posix/DesktopEntry.h"
#include "support/ShortcutFiles.h"

extern char** environ;

namespace marvok::test {

std::string HideFile(const ShortcutFolder& folder, std::string_view relative) {
    const auto path = folder.Native(relative);
    const std::string hidden = "." + Utf8FromPath(path.filename());
    std::filesystem::rename(path, path.parent_path() / PathFromUtf8(hidden));
    return hidden;
}

platform::CommandLineInput LaunchInput(const std::string& linkPath,
                                       const platform::ShellLinkProperties&) {
    std::string native = linkPath;
    std::replace(native.begin(), native.end(), '\\', '/');
    std::ifstream in(native, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    const auto keys = platform::desktop::ReadDesktopEntry(content.str());
    platform::CommandLineInput input;
    const auto exec = keys.find("Exec");
    auto arguments = platform::desktop::ParseExec(exec == keys.end() ? "" : exec->second);
    if (arguments && !arguments->empty()) {
        input.arguments.assign(arguments->begin() + 1, arguments->end());
    }
    return input;
}

int Spawn(std::vector<std::string> argv, const std::string& folder,
          std::vector<std::string> environment, const std::string& log) {
    std::vector<char*> args;
    for (auto& a : argv) {
        args.push_back(a.data());
    }
    args.push_back(nullptr);
    std::vector<char*> env;
    for (auto& e : environment) {
        env.push_back(e.data());
    }
    env.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    if (!log.empty()) {
        posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_APPEND,
                                         0644);
        posix_spawn_file_actions_adddup2(&actions, 1, 2);
    }
    pid_t pid = 0;
    const int error = posix_spawn(&pid, args[0], &actions, nullptr, args.data(),
                                  environment.empty() ? environ : env.data());
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    if (error != 0 || waitpid(pid, &status, 0) != pid) {
        return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace marvok::test
