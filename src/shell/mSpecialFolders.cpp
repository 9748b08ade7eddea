#include "shell/mSpecialFolders.h"

#include <array>

#include "common/Text.h"

namespace marvok::mSpecialFolders {
namespace {

struct Row {
    std::string_view key;
    std::string_view first;
    std::string_view second;  // asked when the first is empty
};

constexpr std::array kTable = {
    Row{"allusersdesktop", "AllUsersDesktop", "Desktop"},
    Row{"allusersstartmenu", "AllUsersStartMenu", "StartMenu"},
    Row{"allusersprograms", "AllUsersPrograms", "Programs"},
    Row{"allusersstartup", "AllUsersStartup", ""},
    Row{"appdata", "AppData", ""},
    Row{"desktop", "Desktop", ""},
    Row{"favorites", "Favorites", ""},
    Row{"fonts", "Fonts", ""},
    Row{"mydocuments", "MyDocuments", ""},
    Row{"nethood", "NetHood", ""},
    Row{"printhood", "PrintHood", ""},
    Row{"programs", "Programs", ""},
    Row{"recent", "Recent", ""},
    Row{"sendto", "SendTo", ""},
    Row{"startmenu", "StartMenu", ""},
    Row{"startup", "Startup", ""},
    Row{"templates", "Templates", ""},
};

constexpr std::size_t kExpansionLimit = 499;

std::size_t CharacterCount(std::string_view utf8) {
    std::size_t count = 0;
    for (char c : utf8) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
            ++count;
        }
    }
    return count;
}

}  // namespace

std::string GetSpecialFolder(const platform::ShellFolders& shell, std::string_view name) {
    const std::string key = text::LowerCase(text::Trim(name, " "));
    if (key == "quicklaunch") {
        const std::string appData = shell.SpecialFolder("AppData");
        if (appData.empty()) {
            return {};
        }
        const std::string path = appData + "\\Microsoft\\Internet Explorer\\Quick Launch";
        // A Quick Launch folder without a single file counts as missing.
        return shell.HasOrdinaryFile(path) ? path : std::string();
    }
    for (const Row& row : kTable) {
        if (row.key != key) {
            continue;
        }
        std::string path = shell.SpecialFolder(row.first);
        if (path.empty() && !row.second.empty()) {
            path = shell.SpecialFolder(row.second);
        }
        return path;
    }
    return {};
}

std::string GetSpecialFolder(std::string_view name) {
    return GetSpecialFolder(*platform::CreateShellFolders(), name);
}

std::string ExpandEnvironment(const platform::ShellFolders& shell, std::string_view text) {
    // A NUL ends the text, as it ends it for the system call.
    const std::string trimmed = text::Trim(text.substr(0, text.find('\0')), " ");
    if (trimmed.empty()) {
        return {};
    }
    std::string expanded = shell.ExpandVariables(trimmed);
    expanded = expanded.substr(0, expanded.find('\0'));
    return CharacterCount(expanded) > kExpansionLimit ? std::string() : expanded;
}

std::string ExpandEnvironment(std::string_view text) {
    return ExpandEnvironment(*platform::CreateShellFolders(), text);
}

}  // namespace marvok::mSpecialFolders
