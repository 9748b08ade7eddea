#include "support/ShortcutFiles.h"

#include <algorithm>

namespace marvok::test {

std::filesystem::path PathFromUtf8(std::string_view utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string Utf8FromPath(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::string ShortcutFolder::Folder(std::string_view relative) const {
    const std::string root = TestGameFolder::Folder();
    return relative.empty() ? root : root + "\\" + std::string(relative);
}

std::string ShortcutFolder::MakeFolder(std::string_view relative) const {
    TestGameFolder::MakeFolder(relative);
    return Folder(relative);
}

std::vector<std::string> ShortcutFolder::Names(std::string_view relative) const {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(Native(relative), error)) {
        names.push_back(Utf8FromPath(entry.path().filename()));
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string ComparablePath(std::string_view path) {
    std::string text(path);
    std::replace(text.begin(), text.end(), '/', '\\');
    return text;
}

}  // namespace marvok::test
