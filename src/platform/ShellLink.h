#pragma once
// Shortcut files: Windows shell links (.lnk), freedesktop launchers (.desktop) elsewhere.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace marvok::platform {

// What a shortcut starts, as the Windows shell link holds it.
struct ShellLinkProperties {
    std::string targetPath;
    std::string arguments;  // one command-line text
    std::string description;
    std::string workingDirectory;
    std::string iconLocation;  // "path,index"; the index may be left out
    std::int32_t windowStyle = 1;

    bool operator==(const ShellLinkProperties&) const = default;
};

struct IconLocation {
    std::string path;
    int index = 0;
};
// Splits "path, index" at its last comma; without a number after a comma the whole text is the
// path and the index is 0.
IconLocation SplitIconLocation(std::string_view location);

class ShellLinks {
  public:
    virtual ~ShellLinks() = default;

    // The file name suffix of a shortcut on this platform: ".lnk" or ".desktop".
    virtual std::string_view Suffix() const = 0;
    // Writes the shortcut file at linkPath, replacing one that exists. The file appears whole or
    // not at all. Returns the empty text on success, else the reason.
    virtual std::string Save(std::string_view linkPath, const ShellLinkProperties& link) = 0;
    // Reads a shortcut file back; nothing when it cannot be read.
    virtual std::optional<ShellLinkProperties> Load(std::string_view linkPath) const = 0;
    // How one argument is written into a shortcut's arguments text so that the started program
    // receives it unchanged.
    virtual std::string QuoteArgument(std::string_view argument) const = 0;

    // Whether an ordinary file (not a folder, not hidden or system) has this name, ignoring
    // letter case as the platform's shell does.
    virtual bool OrdinaryFileExists(std::string_view path) const = 0;
    // Deletes the file that OrdinaryFileExists finds for the path. Empty text or the reason.
    virtual std::string Remove(std::string_view path) = 0;
    // Writes a small text file (UTF-8 in, the system's code page on disk), replacing it whole.
    virtual std::string WriteTextFile(std::string_view path, std::string_view utf8Text) = 0;
};

// The platform's shortcuts; on Windows this holds the COM apartment for its lifetime.
std::unique_ptr<ShellLinks> CreateShellLinks();

}  // namespace marvok::platform
