#include "platform/posix/WinePrefix.h"

#include <sys/stat.h>

#include <climits>
#include <cstdlib>

#include "shell/Text.h"

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

// Characters that make a name illegal as an 8.3 name, besides anything outside ASCII.
constexpr std::string_view kInvalidDosChars = "*?<>|\"+=,;[] :/\\";

bool IsInvalidDosChar(char16_t c) {
    return c > 0x7F || c < 0x20 || kInvalidDosChars.find(static_cast<char>(c)) != std::string_view::npos;
}

char16_t ToLowerWide(char16_t c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) {
        return static_cast<char16_t>(c + 32);
    }
    return c;
}

char16_t ToUpperWide(char16_t c) {
    if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) {
        return static_cast<char16_t>(c - 32);
    }
    return c;
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

bool IsLegalShortName(std::string_view name) {
    if (name == "." || name == "..") {
        return true;
    }
    if (name.empty() || name.size() > 12 || name.front() == '.') {
        return false;
    }
    std::size_t dot = std::string_view::npos;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto c = static_cast<unsigned char>(name[i]);
        if (c == '.') {
            if (dot != std::string_view::npos) {
                return false;
            }
            dot = i;
            continue;
        }
        if (IsInvalidDosChar(c)) {
            return false;
        }
    }
    if (dot == std::string_view::npos) {
        return name.size() <= 8;
    }
    return dot <= 8 && name.size() - dot - 1 <= 3;
}

std::string HashedShortName(std::string_view name) {
    static constexpr std::string_view kHashChars = "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345";
    const std::u16string wide = text::ToUtf16(name);
    const std::size_t n = wide.size();
    if (n == 0) {
        return {};
    }
    unsigned hash = 0xBEEF;
    for (std::size_t i = 0; i + 1 < n; ++i) {
        hash = ((hash << 3) ^ (hash >> 5) ^ ToLowerWide(wide[i]) ^
                (static_cast<unsigned>(ToLowerWide(wide[i + 1])) << 8)) & 0xFFFF;
    }
    hash = ((hash << 3) ^ (hash >> 5) ^ ToLowerWide(wide[n - 1])) & 0xFFFF;

    // The extension starts at the last dot that is neither the first nor the last character.
    std::size_t ext = std::u16string::npos;
    for (std::size_t i = 1; i + 1 < n; ++i) {
        if (wide[i] == u'.') {
            ext = i;
        }
    }
    std::u16string out;
    std::size_t copied = 0;
    for (std::size_t i = 0; i < n && i != ext && copied < 4; ++i, ++copied) {
        out += IsInvalidDosChar(wide[i]) || wide[i] == u'~' || wide[i] == u'.' ? u'_'
                                                                              : ToUpperWide(wide[i]);
    }
    while (out.size() < 5) {
        out += u'~';
    }
    out += static_cast<char16_t>(kHashChars[(hash >> 10) & 31]);
    out += static_cast<char16_t>(kHashChars[(hash >> 5) & 31]);
    out += static_cast<char16_t>(kHashChars[hash & 31]);
    if (ext != std::u16string::npos) {
        out += u'.';
        for (std::size_t i = ext + 1; i < n && i <= ext + 3; ++i) {
            out += IsInvalidDosChar(wide[i]) || wide[i] == u'~' || wide[i] == u'.'
                       ? u'_'
                       : ToUpperWide(wide[i]);
        }
    }
    return text::FromUtf16(out);
}

std::string WineShortName(std::string_view name) {
    return IsLegalShortName(name) ? std::string(name) : HashedShortName(name);
}

}  // namespace marvok::platform
