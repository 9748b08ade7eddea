#pragma once
// Temporary folders for shortcut tests, with UTF-8 names on every platform, and the few file
// operations that differ between the platforms.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Process.h"
#include "platform/ShellLink.h"

namespace marvok::test {

std::filesystem::path PathFromUtf8(std::string_view utf8);
std::string Utf8FromPath(const std::filesystem::path& path);

// A fresh temporary folder, removed with everything in it at the end of the test.
class ShortcutFolder {
  public:
    ShortcutFolder();
    ~ShortcutFolder();
    ShortcutFolder(const ShortcutFolder&) = delete;
    ShortcutFolder& operator=(const ShortcutFolder&) = delete;

    // The program's path text ("\" separated) of a place under the folder; made when asked.
    std::string Folder(std::string_view relative = {}) const;
    std::string MakeFolder(std::string_view relative) const;
    std::filesystem::path Native(std::string_view relative) const;
    // The platform's own path text (UTF-8) of a place under the folder.
    std::string NativeText(std::string_view relative) const {
        return Utf8FromPath(Native(relative));
    }
    void Write(std::string_view relative, std::string_view bytes = "x") const;
    std::string Read(std::string_view relative) const;
    bool Exists(std::string_view relative) const;
    // The names in a folder, sorted.
    std::vector<std::string> Names(std::string_view relative) const;

  private:
    std::filesystem::path root_;
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

}  // namespace marvok::test
