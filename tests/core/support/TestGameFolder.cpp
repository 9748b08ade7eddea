#include "support/TestGameFolder.h"

#include <algorithm>
#include <atomic>
#include <fstream>
#include <iterator>
#include <random>

namespace marvok::test {

TestGameFolder::TestGameFolder() {
    static std::atomic<int> counter{0};
    std::random_device random;
    const auto name = "marvok-test-" + std::to_string(random()) + "-" + std::to_string(counter++);
    root_ = std::filesystem::temp_directory_path() / name;
    std::filesystem::create_directories(root_);
}

TestGameFolder::~TestGameFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

std::filesystem::path TestGameFolder::Native(std::string_view relative) const {
    std::string parts(relative);
    std::replace(parts.begin(), parts.end(), '\\', '/');
    // Names are UTF-8 on every platform, not the Windows ANSI code page.
    return (root_ / std::filesystem::path(std::u8string(parts.begin(), parts.end())))
        .make_preferred();
}

void TestGameFolder::Write(std::string_view relative, std::string_view bytes) const {
    const auto path = Native(relative);
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void TestGameFolder::MakeFolder(std::string_view relative) const {
    std::filesystem::create_directories(Native(relative));
}

void TestGameFolder::WriteSized(std::string_view relative, std::uintmax_t size) const {
    Write(relative);
    std::filesystem::resize_file(Native(relative), size);
}

std::string TestGameFolder::Read(std::string_view relative) const {
    std::ifstream in(Native(relative), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

bool TestGameFolder::Exists(std::string_view relative) const {
    return std::filesystem::exists(Native(relative));
}

}  // namespace marvok::test
