#include "platform/posix/XdgShellFolders.h"

#include <dirent.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "common/Text.h"

namespace marvok::platform {
namespace {

class PosixEnvironment final : public Environment {
  public:
    std::optional<std::string> Get(std::string_view name) const override {
        const char* value = std::getenv(std::string(name).c_str());
        if (value == nullptr) {
            return std::nullopt;
        }
        return std::string(value);
    }
};

bool IsFolder(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool UserMayWrite(const std::string& folder) {
    return access(folder.c_str(), W_OK | X_OK) == 0;
}

std::string WithoutTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    return path;
}

// The value of one line of user-dirs.dirs: "$HOME/Desktop" or "/abs/path", with shell escapes.
std::optional<std::string> UserDirsValue(std::string_view raw, const std::string& home) {
    if (raw.size() < 2 || raw.front() != '"') {
        return std::nullopt;
    }
    std::string value;
    std::size_t i = 1;
    bool closed = false;
    for (; i < raw.size(); ++i) {
        const char c = raw[i];
        if (c == '\\' && i + 1 < raw.size()) {
            value += raw[++i];
            continue;
        }
        if (c == '"') {
            closed = true;
            break;
        }
        value += c;
    }
    if (!closed) {
        return std::nullopt;
    }
    if (value == "$HOME" || value.rfind("$HOME/", 0) == 0) {
        return WithoutTrailingSlashes(home + value.substr(5));
    }
    if (!value.empty() && value.front() == '/') {
        return WithoutTrailingSlashes(value);
    }
    return std::nullopt;  // relative paths are not allowed there
}

}  // namespace

const Environment& ProcessEnvironment() {
    static const PosixEnvironment environment;
    return environment;
}

XdgShellFolders::XdgShellFolders(const Environment& environment, WritableTest writable)
    : environment_(environment), writable_(std::move(writable)) {
    if (!writable_) {
        writable_ = UserMayWrite;
    }
}

std::string XdgShellFolders::Home() const {
    if (auto home = environment_.Get("HOME"); home && !home->empty() && home->front() == '/') {
        return WithoutTrailingSlashes(*home);
    }
    if (const passwd* pw = getpwuid(getuid()); pw != nullptr && pw->pw_dir != nullptr) {
        return WithoutTrailingSlashes(pw->pw_dir);
    }
    return "/";
}

std::string XdgShellFolders::BaseFolder(const char* variable,
                                        std::string_view fallbackUnderHome) const {
    if (auto value = environment_.Get(variable);
        value && !value->empty() && value->front() == '/') {
        return WithoutTrailingSlashes(*value);
    }
    return Home() + "/" + std::string(fallbackUnderHome);
}

std::string XdgShellFolders::UserDirectory(std::string_view key,
                                           std::string_view fallbackUnderHome) const {
    const std::string home = Home();
    std::ifstream in(BaseFolder("XDG_CONFIG_HOME", ".config") + "/user-dirs.dirs");
    // The file is shell text: the last usable assignment wins.
    std::string found = home + "/" + std::string(fallbackUnderHome);
    std::string line;
    while (std::getline(in, line)) {
        const std::string trimmed = text::Trim(line, " \t\r");
        if (trimmed.empty() || trimmed.front() == '#') {
            continue;
        }
        const auto equals = trimmed.find('=');
        if (equals == std::string::npos || trimmed.substr(0, equals) != key) {
            continue;
        }
        if (auto value = UserDirsValue(std::string_view(trimmed).substr(equals + 1), home)) {
            found = std::move(*value);
        }
    }
    return found;
}

std::string XdgShellFolders::SharedFolder(const char* variable, std::string_view fallback,
                                          std::string_view sub) const {
    std::string list(fallback);
    if (auto value = environment_.Get(variable); value && !value->empty()) {
        list = *value;
    }
    std::istringstream entries(list);
    std::string entry;
    while (std::getline(entries, entry, ':')) {
        if (entry.empty() || entry.front() != '/') {
            continue;  // relative entries are ignored
        }
        const std::string folder = WithoutTrailingSlashes(entry) + "/" + std::string(sub);
        // A shared folder this user cannot write counts as missing.
        return IsFolder(folder) && writable_(folder) ? folder : std::string();
    }
    return {};
}

std::string XdgShellFolders::SpecialFolder(std::string_view shellName) const {
    const std::string name = text::LowerCase(shellName);
    if (name == "desktop") {
        return UserDirectory("XDG_DESKTOP_DIR", "Desktop");
    }
    if (name == "mydocuments") {
        return UserDirectory("XDG_DOCUMENTS_DIR", "Documents");
    }
    if (name == "templates") {
        return UserDirectory("XDG_TEMPLATES_DIR", "Templates");
    }
    if (name == "startmenu" || name == "programs") {
        return BaseFolder("XDG_DATA_HOME", ".local/share") + "/applications";
    }
    if (name == "startup") {
        return BaseFolder("XDG_CONFIG_HOME", ".config") + "/autostart";
    }
    if (name == "appdata") {
        return BaseFolder("XDG_DATA_HOME", ".local/share");
    }
    if (name == "fonts") {
        return BaseFolder("XDG_DATA_HOME", ".local/share") + "/fonts";
    }
    if (name == "allusersstartmenu" || name == "allusersprograms") {
        return SharedFolder("XDG_DATA_DIRS", "/usr/local/share:/usr/share", "applications");
    }
    if (name == "allusersstartup") {
        return SharedFolder("XDG_CONFIG_DIRS", "/etc/xdg", "autostart");
    }
    // No shared desktop, and no counterpart of Favorites, NetHood, PrintHood, Recent, SendTo.
    return {};
}

std::string XdgShellFolders::ExpandVariables(std::string_view text) const {
    return ExpandPercentReferences(text, environment_);
}

bool XdgShellFolders::HasOrdinaryFile(std::string_view folder) const {
    std::string native(folder);
    for (char& c : native) {
        if (c == '\\') {
            c = '/';
        }
    }
    DIR* dir = opendir(native.c_str());
    if (dir == nullptr) {
        return false;
    }
    bool found = false;
    while (dirent* entry = readdir(dir)) {
        if (entry->d_name[0] == '.') {
            continue;  // hidden, and "." and ".."
        }
        struct stat st {};
        if (stat((native + "/" + entry->d_name).c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
            found = true;
            break;
        }
    }
    closedir(dir);
    return found;
}

std::string ExpandPercentReferences(std::string_view text, const Environment& environment) {
    std::string out;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] != '%') {
            out += text[i++];
            continue;
        }
        const auto close = text.find('%', i + 1);
        if (close == std::string_view::npos) {
            out += text.substr(i);  // an unfinished reference stays
            break;
        }
        const std::string_view name = text.substr(i + 1, close - i - 1);
        if (!name.empty()) {
            if (auto value = environment.Get(name)) {
                out += *value;
                i = close + 1;
                continue;
            }
        }
        // Undefined: "%NAME" is kept, and its closing % may open the next reference.
        out += text.substr(i, close - i);
        i = close;
    }
    return out;
}

std::unique_ptr<ShellFolders> CreateShellFolders() {
    return std::make_unique<XdgShellFolders>(ProcessEnvironment());
}

}  // namespace marvok::platform
