#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/posix/DesktopEntry.h"
#include "support/ShortcutFiles.h"

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
    if (exec == keys.end()) {
        return input;
    }
    auto arguments = platform::desktop::ParseExec(exec->second);
    if (arguments && !arguments->empty()) {
        input.arguments.assign(arguments->begin() + 1, arguments->end());
    }
    return input;
}

}  // namespace marvok::test
