#include <windows.h>

#include "support/ShortcutFiles.h"

namespace marvok::test {

std::string HideFile(const ShortcutFolder& folder, std::string_view relative) {
    const auto path = folder.Native(relative);
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_HIDDEN);
    return Utf8FromPath(path.filename());
}

platform::CommandLineInput LaunchInput(const std::string&,
                                       const platform::ShellLinkProperties& link) {
    // Windows hands the program its raw command line: the link's arguments text.
    platform::CommandLineInput input;
    input.rawText = link.arguments;
    return input;
}

}  // namespace marvok::test
