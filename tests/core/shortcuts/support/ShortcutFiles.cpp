#include "support/ShortcutFiles.h"

#include <algorithm>
#include <atomic>
#include <fstream>
#include <random>
#include <sstream>

namespace marvok::test {

std::filesystem::path PathFromUtf8(std::string_view utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string Utf8FromPath(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

ShortcutFolder::ShortcutFolder() {
    static std::atomic<int> counter{0};
    std::random_device random;
    root_ = std::filesystem::temp_directory_path() /
            ("marvok-shortcuts-" + std::to_string(random()) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(root_);
}

ShortcutFolder::~ShortcutFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

std::filesystem::path ShortcutFolder::Native(std::string_view relative) const {
    std::string parts(relative);
    std::replace(parts.begin(), parts.end(), '\\', '/');
    return parts.empty() ? root_ : (root_ / PathFromUtf8(parts)).make_preferred();
}

std::string ShortcutFolder::Folder(std::string_view relative) const {
    std::string text = Utf8FromPath(root_);
    if (!relative.empty()) {
        text += "\\" + std::string(relative);
    }
    return text;
}

std::string ShortcutFolder::MakeFolder(std::string_view relative) const {
    std::filesystem::create_directories(Native(relative));
    return Folder(relative);
}

void ShortcutFolder::Write(std::string_view relative, std::string_view bytes) const {
    const auto path = Native(relative);
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ShortcutFolder::Read(std::string_view relative) const {
    std::ifstream in(Native(relative), std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

bool ShortcutFolder::Exists(std::string_view relative) const {
    return std::filesystem::exists(Native(relative));
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
