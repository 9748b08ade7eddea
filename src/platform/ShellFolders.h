#pragma once
// The shell's named folders (desktop, Start menu, ...) and the expansion of %NAME% references.

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace marvok::platform {

// Read access to environment variables; tests hand in their own.
class Environment {
  public:
    virtual ~Environment() = default;
    // The variable's value; nothing when it is not set.
    virtual std::optional<std::string> Get(std::string_view name) const = 0;
};

// The running process's environment.
const Environment& ProcessEnvironment();

class ShellFolders {
  public:
    virtual ~ShellFolders() = default;

    // The full path of the folder the shell knows by this name ("Desktop", "AllUsersStartMenu",
    // "SendTo", ...; letter case does not matter), without a trailing separator. The empty text
    // for an unknown name or a folder this machine does not have.
    virtual std::string SpecialFolder(std::string_view shellName) const = 0;
    // The text with each %NAME% reference to a defined variable replaced by its value; other
    // references stay as they are.
    virtual std::string ExpandVariables(std::string_view text) const = 0;
    // Whether the folder holds at least one ordinary file (not a folder, not hidden or system).
    virtual bool HasOrdinaryFile(std::string_view folder) const = 0;
};

// The platform's shell folders (Windows: known folders; Linux: the XDG folders).
std::unique_ptr<ShellFolders> CreateShellFolders();

}  // namespace marvok::platform
