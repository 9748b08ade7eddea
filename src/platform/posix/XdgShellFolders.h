#pragma once
// The shell's named folders on a Linux desktop, from the XDG base and user folders.

#include <functional>
#include <string>
#include <string_view>

#include "platform/ShellFolders.h"

namespace marvok::platform {

class XdgShellFolders final : public ShellFolders {
  public:
    // Whether the current user may create files in an existing folder.
    using WritableTest = std::function<bool(const std::string& folder)>;

    // The environment is read on every call; it must outlive this object.
    explicit XdgShellFolders(const Environment& environment, WritableTest writable = {});

    std::string SpecialFolder(std::string_view shellName) const override;
    std::string ExpandVariables(std::string_view text) const override;
    bool HasOrdinaryFile(std::string_view folder) const override;

  private:
    std::string Home() const;
    std::string BaseFolder(const char* variable, std::string_view fallbackUnderHome) const;
    std::string UserDirectory(std::string_view key, std::string_view fallbackUnderHome) const;
    // The first entry of a search-path variable + sub, when it exists and may be written.
    std::string SharedFolder(const char* variable, std::string_view fallback,
                             std::string_view sub) const;

    const Environment& environment_;
    WritableTest writable_;
};

// %NAME% expansion by the Windows rule: an undefined name is left as it is, and its closing %
// may open the next reference.
std::string ExpandPercentReferences(std::string_view text, const Environment& environment);

}  // namespace marvok::platform
