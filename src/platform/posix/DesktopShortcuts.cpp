// Shortcuts on a Linux desktop: freedesktop launchers that start the target with the arguments.

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "common/Text.h"
#include "platform/AtomicWrite.h"
#include "platform/ShellLink.h"
#include "platform/posix/DesktopEntry.h"

namespace marvok::platform {
namespace {

constexpr std::string_view kSuffix = ".desktop";

// The program builds paths with "\"; on this disk that is the folder separator.
std::string ToNative(std::string_view path) {
    std::string native(path);
    for (char& c : native) {
        if (c == '\\') {
            c = '/';
        }
    }
    return native;
}

// Paths inside the launcher: a native absolute path gets its separators straightened; anything
// else (a drive path, a bare name) is kept as given.
std::string LauncherPath(std::string_view path) {
    return !path.empty() && path.front() == '/' ? ToNative(path) : std::string(path);
}

struct SplitNative {
    std::string folder;
    std::string name;
};

SplitNative Split(const std::string& native) {
    const auto slash = native.find_last_of('/');
    if (slash == std::string::npos) {
        return {".", native};
    }
    return {slash == 0 ? "/" : native.substr(0, slash), native.substr(slash + 1)};
}

bool IsOrdinaryFile(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// The ordinary, visible file that the path names, matching its name ignoring letter case when
// no file has it exactly. Hidden (dot) files are never found.
std::optional<std::string> FindOrdinaryFile(std::string_view path) {
    const std::string native = ToNative(path);
    const auto [folder, name] = Split(native);
    if (name.empty() || name.front() == '.') {
        return std::nullopt;
    }
    if (IsOrdinaryFile(native)) {
        return native;
    }
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr) {
        return std::nullopt;
    }
    const std::string wanted = text::LowerCase(name);
    std::optional<std::string> found;
    while (dirent* entry = readdir(dir)) {
        const std::string candidate = entry->d_name;
        if (candidate.front() == '.' || text::LowerCase(candidate) != wanted) {
            continue;
        }
        const std::string full = folder + "/" + candidate;
        if (IsOrdinaryFile(full)) {
            found = full;
            break;
        }
    }
    closedir(dir);
    return found;
}

// Every read bit gets its execute bit: desktops start only launchers marked executable.
mode_t WithExecuteBits(mode_t mode) {
    return mode | ((mode & 0444) >> 2);
}

class DesktopShortcuts final : public ShellLinks {
  public:
    std::string_view Suffix() const override { return kSuffix; }

    std::string Save(std::string_view linkPath, const ShellLinkProperties& link) override {
        const std::string native = ToNative(linkPath);
        const auto [folder, name] = Split(native);
        if (name.empty()) {
            return std::strerror(EINVAL);
        }
        desktop::Launcher launcher;
        launcher.name = text::EndsWithIgnoringCase(name, kSuffix)
                            ? name.substr(0, name.size() - kSuffix.size())
                            : name;
        launcher.comment = link.description;
        launcher.exec.push_back(LauncherPath(link.targetPath));
        for (auto& argument : desktop::SplitWindowsCommandLine(link.arguments)) {
            launcher.exec.push_back(std::move(argument));
        }
        launcher.path = LauncherPath(link.workingDirectory);
        if (!link.iconLocation.empty()) {
            launcher.icon = LauncherPath(SplitIconLocation(link.iconLocation).path);
        }

        // Menu folders are made when first used; the desktop folder too.
        std::error_code error;
        std::filesystem::create_directories(folder, error);
        if (error) {
            return error.message();
        }
        struct stat st {};
        const bool existed = stat(native.c_str(), &st) == 0;
        if (existed && S_ISREG(st.st_mode) && WithExecuteBits(st.st_mode) != st.st_mode) {
            // Marked before the rewrite, whose new file takes the old one's bits.
            chmod(native.c_str(), WithExecuteBits(st.st_mode) & 07777);
        }
        if (auto reason = WriteFileAtomically(native, desktop::ComposeLauncher(launcher));
            !reason.empty()) {
            return reason;
        }
        if (stat(native.c_str(), &st) != 0 ||
            chmod(native.c_str(), WithExecuteBits(st.st_mode) & 07777) != 0) {
            const std::string reason = std::strerror(errno);
            if (!existed) {
                unlink(native.c_str());  // no launcher that cannot start
            }
            return reason;
        }
        return {};
    }

    std::optional<ShellLinkProperties> Load(std::string_view linkPath) const override {
        const auto native = FindOrdinaryFile(linkPath);
        if (!native) {
            return std::nullopt;
        }
        std::ifstream in(*native, std::ios::binary);
        std::ostringstream content;
        content << in.rdbuf();
        if (!in.good() && !in.eof()) {
            return std::nullopt;
        }
        const auto keys = desktop::ReadDesktopEntry(content.str());
        const auto exec = keys.find("Exec");
        if (exec == keys.end()) {
            return std::nullopt;
        }
        auto arguments = desktop::ParseExec(exec->second);
        if (!arguments || arguments->empty()) {
            return std::nullopt;
        }
        ShellLinkProperties link;
        link.targetPath = arguments->front();
        arguments->erase(arguments->begin());
        link.arguments = desktop::JoinWindowsCommandLine(*arguments);
        auto value = [&keys](const char* key) {
            const auto found = keys.find(key);
            return found == keys.end() ? std::string() : found->second;
        };
        link.description = value("Comment");
        link.workingDirectory = value("Path");
        if (const std::string icon = value("Icon"); !icon.empty()) {
            link.iconLocation = icon + ",0";
        }
        return link;
    }

    std::string QuoteArgument(std::string_view argument) const override {
        // The arguments text is split by the Windows rules when the launcher is written.
        return desktop::QuoteWindowsArgument(argument);
    }

    bool OrdinaryFileExists(std::string_view path) const override {
        return FindOrdinaryFile(path).has_value();
    }

    std::string Remove(std::string_view path) override {
        const auto native = FindOrdinaryFile(path);
        if (!native) {
            return std::strerror(ENOENT);
        }
        if (unlink(native->c_str()) != 0) {
            return std::strerror(errno);
        }
        return {};
    }

    std::string WriteTextFile(std::string_view path, std::string_view utf8Text) override {
        return WriteFileAtomically(ToNative(path), utf8Text);
    }
};

}  // namespace

std::unique_ptr<ShellLinks> CreateShellLinks() {
    return std::make_unique<DesktopShortcuts>();
}

}  // namespace marvok::platform
