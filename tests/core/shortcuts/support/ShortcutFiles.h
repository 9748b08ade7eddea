#pragma once
// Temporary folders for shortcut tests, with UTF-8 names on every platform, and the few file
// operations that differ between the platforms.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Process.h"
#include "platform/ShellLink.h"
#include "support/TestGameFolder.h"

namespace marvok::test {

std::filesystem::path PathFromUtf8(std::string_view utf8);
std::string Utf8FromPath(const std::filesystem::path& path);

// A fresh temporary folder, removed with everything in it at the end of the test.
class ShortcutFolder : public TestGameFolder {
  public:
    // The program's path text ("\" separated) of a place under the folder.
    std::string Folder(std::string_view relative = {}) const;
    std::string MakeFolder(std::string_view relative) const;
    // The platform's own path text (UTF-8) of a place under the folder.
    std::string NativeText(std::string_view relative) const {
        return Utf8FromPath(Native(relative));
    }
    // The names in a folder, sorted.
    std::vector<std::string> Names(std::string_view relative) const;
};

// Marks an existing shortcut file hidden the platform's way. Answers the name (without folder)
// under which the hidden file is now asked for.
std::string HideFile(const ShortcutFolder& folder, std::string_view relative);

// What the program receives when the shortcut at linkPath is opened: the command line its
// launcher hands over, read from the file independently of the code that wrote it.
platform::CommandLineInput LaunchInput(const std::string& linkPath,
                                       const platform::ShellLinkProperties& link);

// Path texts compared as the platform's file system compares them ("\" and "/" alike).
std::string ComparablePath(std::string_view path);

// POSIX only: runs argv in folder with this environment (none: this process's), its output
// appended to the file log (none: this process's); answers its exit status, or -1.
int Spawn(std::vector<std::string> argv, const std::string& folder,
          std::vector<std::string> environment = {}, const std::string& log = {});

}  // namespace marvok::test
