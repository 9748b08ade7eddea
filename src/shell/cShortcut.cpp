#include "shell/cShortcut.h"

#include "common/Text.h"
#include "shell/mSpecialFolders.h"

namespace marvok {
namespace {

// The folder's path with one "\" after it.
std::string WithSeparator(std::string_view folder) {
    std::string path(folder);
    if (path.empty() || (path.back() != '\\' && path.back() != '/')) {
        path += '\\';
    }
    return path;
}

std::string WithSuffix(std::string path, std::string_view suffix) {
    if (!text::EndsWithIgnoringCase(path, suffix)) {
        path += suffix;
    }
    return path;
}

}  // namespace

ShellServices ShellServices::Platform() {
    return {platform::CreateShellFolders(), platform::CreateShellLinks()};
}

cShortcut::cShortcut() : shell_(ShellServices::Platform()) {}

cShortcut::cShortcut(ShellServices shell) : shell_(std::move(shell)) {}

std::string cShortcut::LinkPath(std::string_view sFolder, std::string_view sName) const {
    return std::string(sFolder) + "\\" + std::string(sName) + std::string(LinkSuffix());
}

void cShortcut::CreateShortcut(std::string_view sName, std::string_view sPath,
                               std::string_view sArg, std::string_view sDesc, std::string_view sDir,
                               std::string_view sIcon, std::string_view destLoc,
                               std::int32_t winStyle) {
    CreateShortcutAt(mSpecialFolders::GetSpecialFolder(*shell_.folders, destLoc), sName, sPath,
                     sArg, sDesc, sDir, sIcon, winStyle);
}

void cShortcut::CreateShortcutAt(std::string_view sFolder, std::string_view sName,
                                 std::string_view sPath, std::string_view sArg,
                                 std::string_view sDesc, std::string_view sDir,
                                 std::string_view sIcon, std::int32_t winStyle) {
    // Without a folder the link would land in the root of the current drive.
    if (sFolder.empty() || sName.empty()) {
        throw ShortcutError("no folder or no name for the shortcut");
    }
    const auto& folders = *shell_.folders;
    platform::ShellLinkProperties link;
    link.targetPath = mSpecialFolders::ExpandEnvironment(folders, sPath);
    if (!sDesc.empty()) {
        link.description = std::string(sDesc);
    }
    if (!sArg.empty()) {
        link.arguments = mSpecialFolders::ExpandEnvironment(folders, sArg);
    }
    if (!sDir.empty()) {
        link.workingDirectory = mSpecialFolders::ExpandEnvironment(folders, sDir);
    }
    if (!sIcon.empty()) {
        link.iconLocation = mSpecialFolders::ExpandEnvironment(folders, sIcon);
    }
    link.windowStyle = winStyle;
    const std::string path = LinkPath(sFolder, sName);
    if (std::string reason = shell_.links->Save(path, link); !reason.empty()) {
        throw ShortcutError(path + ": " + reason);
    }
}

bool cShortcut::LinkExists(std::string_view linkName, std::string_view spcFolder) const {
    std::string path;
    if (!spcFolder.empty()) {
        path = WithSeparator(text::Trim(spcFolder, " ")) + std::string(linkName);
    } else {
        const std::string desktop = shell_.folders->SpecialFolder("Desktop");
        if (desktop.empty()) {
            return false;
        }
        path = desktop + "\\" + std::string(linkName);
    }
    return shell_.links->OrdinaryFileExists(WithSuffix(std::move(path), LinkSuffix()));
}

std::string cShortcut::InternetShortcutText(std::string_view sPath, std::string_view sType) {
    const std::string scheme = text::LowerCase(sType) == "file" ? "file://" : "http://";
    return "[InternetShortcut]\r\nURL=" + scheme + std::string(sPath) + "\r\n";
}

void cShortcut::WriteInternetShortcut(const std::string& path, std::string_view sPath,
                                      std::string_view sType) {
    if (std::string reason = shell_.links->WriteTextFile(path, InternetShortcutText(sPath, sType));
        !reason.empty()) {
        throw ShortcutError(path + ": " + reason);
    }
}

void cShortcut::CreateInternetShortcut(std::string_view sName, std::string_view sPath,
                                       std::string_view sType) {
    const std::string desktop = shell_.folders->SpecialFolder("Desktop");
    if (desktop.empty()) {
        throw ShortcutError("no desktop folder");
    }
    WriteInternetShortcut(desktop + "\\" + std::string(sName) + ".url", sPath, sType);
}

void cShortcut::CreateInternetShortcutAt(std::string_view sFolder, std::string_view sName,
                                         std::string_view sPath, std::string_view sType) {
    const std::string folder = text::Trim(sFolder, " ");
    if (folder.empty()) {
        throw ShortcutError("no folder for the shortcut");
    }
    WriteInternetShortcut(folder + "\\" + std::string(sName) + ".url", sPath, sType);
}

bool cShortcut::URLExists(std::string_view urlName) const {
    const std::string desktop = shell_.folders->SpecialFolder("Desktop");
    if (desktop.empty()) {
        return false;
    }
    const std::string path = desktop + "\\" + std::string(urlName);
    return shell_.links->OrdinaryFileExists(WithSuffix(path, ".url"));
}

}  // namespace marvok
