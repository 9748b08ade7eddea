#include "platform/posix/WinePrefix.h"

#include <sys/stat.h>

#include <climits>
#include <cstdlib>

#include "common/Text.h"

namespace marvok::platform {
namespace {

bool IsFile(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool IsDir(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string RealPath(const std::string& path) {
    char buffer[PATH_MAX];
    if (realpath(path.c_str(), buffer) == nullptr) {
        return {};
    }
    return buffer;
}

}  // namespace

std::optional<WinePrefix> WinePrefix::Find(std::string_view nativePath) {
    std::string folder = RealPath(std::string(nativePath));
    if (folder.empty()) {
        folder = std::string(nativePath);
    }
    while (!folder.empty()) {
        if (IsFile(folder + "/system.reg") && IsDir(folder + "/drive_c")) {
            return Load(folder);
        }
        const auto slash = folder.find_last_of('/');
        if (slash == std::string::npos || folder == "/") {
            break;
        }
        folder = slash == 0 ? std::string("/") : folder.substr(0, slash);
        if (folder == "/") {
            if (IsFile("/system.reg") && IsDir("/drive_c")) {
                return Load(folder);
            }
            break;
        }
    }
    return std::nullopt;
}

WinePrefix WinePrefix::Load(std::string root) {
    WinePrefix prefix;
    prefix.root = std::move(root);
    for (char letter = 'a'; letter <= 'z'; ++letter) {
        const std::string link = prefix.root + "/dosdevices/" + letter + ":";
        const std::string target = RealPath(link);
        if (!target.empty() && IsDir(target)) {
            prefix.drives.push_back({letter, target});
        }
    }
    // A prefix whose dosdevices/ is missing still has its C: drive.
    bool hasC = false;
    for (const auto& drive : prefix.drives) {
        hasC = hasC || drive.letter == 'c';
    }
    if (!hasC && IsDir(prefix.root + "/drive_c")) {
        prefix.drives.insert(prefix.drives.begin(), {'c', RealPath(prefix.root + "/drive_c")});
    }
    return prefix;
}

std::optional<std::string> WinePrefix::DriveFolder(char letter) const {
    const char lower = static_cast<char>(text::LowerCase(std::string(1, letter))[0]);
    for (const auto& drive : drives) {
        if (drive.letter == lower) {
            return drive.target;
        }
    }
    return std::nullopt;
}

std::optional<std::string> WinePrefix::ToWindowsPath(std::string_view nativePath) const {
    std::string real = RealPath(std::string(nativePath));
    if (real.empty()) {
        return std::nullopt;
    }
    const WineDrive* best = nullptr;
    for (const auto& drive : drives) {
        const std::string& t = drive.target;
        const bool holds = t == "/" || real == t ||
                           (real.size() > t.size() && real.compare(0, t.size(), t) == 0 &&
                            real[t.size()] == '/');
        if (holds && (best == nullptr || t.size() > best->target.size())) {
            best = &drive;
        }
    }
    if (best == nullptr) {
        return std::nullopt;
    }
    std::string rest = best->target == "/" ? real.substr(1) : real.substr(best->target.size());
    std::string result(1, static_cast<char>(best->letter - 'a' + 'A'));
    result += ':';
    if (!rest.empty() && rest.front() == '/') {
        rest.erase(0, 1);
    }
    result += '\\';
    for (char& c : rest) {
        if (c == '/') {
            c = '\\';
        }
    }
    result += rest;
    return result;
}

}  // namespace marvok::platform
