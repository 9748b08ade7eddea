#include "shell/mCommonFunctions.h"

#include <algorithm>

#include "common/Text.h"

namespace marvok::shell::mCommonFunctions {

std::string FullPath(const platform::FileSystem& fs, std::string_view gameFolder,
                     std::string_view path) {
    if (IsAbsolutePath(fs, path)) {
        return std::string(path);
    }
    std::string full(gameFolder);
    full += '\\';
    full += path;
    return full;
}

bool FileExists(const platform::FileSystem& fs, std::string_view gameFolder,
                std::string_view path) {
    return fs.Attributes(FullPath(fs, gameFolder, path)).has_value();
}

bool FileExists(const Session& session, std::string_view path) {
    return FileExists(session.fs, session.GameFolder, path);
}

bool FolderExists(const platform::FileSystem& fs, std::string_view path) {
    return !path.empty() && fs.Attributes(path).has_value();
}

bool IsDriveAbsolutePath(std::string_view path) {
    return path.size() >= 3 && path[1] == ':' && path[2] == '\\';
}

bool IsAbsolutePath(const platform::FileSystem& fs, std::string_view path) {
    return IsDriveAbsolutePath(path) || fs.IsNativeAbsolute(path);
}

short CountSpaces(std::string_view text) {
    const auto count = std::count(text.begin(), text.end(), ' ');
    return count > 32767 ? short{32767} : static_cast<short>(count);
}

std::string EnsureIniExtension(std::string_view path) {
    std::string result(path);
    if (!text::EndsWithIgnoringCase(path, ".ini")) {
        result += ".ini";
    }
    return result;
}

std::string& StripNulls(std::string& text) {
    const auto nul = text.find('\0');
    if (nul != std::string::npos) {
        text.erase(nul);
    }
    return text;
}

std::string StripTrailingBackslash(std::string_view path) {
    if (!path.empty() && path.back() == '\\') {
        path.remove_suffix(1);
    }
    return std::string(path);
}

}  // namespace marvok::shell::mCommonFunctions
