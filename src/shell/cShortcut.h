#pragma once
// Shortcut files: shell links to a program, and Internet shortcuts (.url).

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/ShellFolders.h"
#include "platform/ShellLink.h"

namespace marvok {

// A shortcut that could not be written.
class ShortcutError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The shell a cShortcut works with: the platform's own, or what a test hands in.
struct ShellServices {
    std::shared_ptr<platform::ShellFolders> folders;
    std::shared_ptr<platform::ShellLinks> links;

    static ShellServices Platform();
};

class cShortcut {
  public:
    // Takes the platform's shell for the object's lifetime; never fails.
    cShortcut();
    explicit cShortcut(ShellServices shell);

    // CreateShortcutAt in the folder GetSpecialFolder(destLoc) names.
    void CreateShortcut(std::string_view sName, std::string_view sPath, std::string_view sArg = {},
                        std::string_view sDesc = {}, std::string_view sDir = {},
                        std::string_view sIcon = {}, std::string_view destLoc = {},
                        std::int32_t winStyle = 1);
    // Writes sFolder\sName plus the platform's shortcut suffix, replacing one that exists. Path,
    // arguments, working folder and icon are expanded; the description is kept as given. Empty
    // optional texts are left unset. Throws ShortcutError when the file cannot be written.
    void CreateShortcutAt(std::string_view sFolder, std::string_view sName, std::string_view sPath,
                          std::string_view sArg = {}, std::string_view sDesc = {},
                          std::string_view sDir = {}, std::string_view sIcon = {},
                          std::int32_t winStyle = 1);
    // Whether the shortcut exists as an ordinary file in spcFolder (the user's desktop when
    // empty); the suffix is added unless the name already ends in it (any letter case).
    bool LinkExists(std::string_view linkName, std::string_view spcFolder = {}) const;

    // A two-line Internet shortcut on the user's desktop, or in sFolder.
    void CreateInternetShortcut(std::string_view sName, std::string_view sPath,
                                std::string_view sType = "file");
    void CreateInternetShortcutAt(std::string_view sFolder, std::string_view sName,
                                  std::string_view sPath, std::string_view sType = "file");
    bool URLExists(std::string_view urlName) const;

    // sFolder\sName plus the platform's shortcut suffix (".lnk", ".desktop").
    std::string LinkPath(std::string_view sFolder, std::string_view sName) const;
    std::string_view LinkSuffix() const { return shell_.links->Suffix(); }
    // The text a program finds in the Internet shortcut's file.
    static std::string InternetShortcutText(std::string_view sPath, std::string_view sType);

  private:
    void WriteInternetShortcut(const std::string& path, std::string_view sPath,
                               std::string_view sType);

    ShellServices shell_;
};

}  // namespace marvok
