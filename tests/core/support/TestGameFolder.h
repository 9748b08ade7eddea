#pragma once
// A game folder in a fresh temporary directory, removed again at the end of the test.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace marvok::test {

class TestGameFolder {
public:
    TestGameFolder();
    ~TestGameFolder();
    TestGameFolder(const TestGameFolder&) = delete;
    TestGameFolder& operator=(const TestGameFolder&) = delete;

    // The folder as the program sees its own folder (native text, no trailing separator).
    std::string Folder() const { return root_.string(); }
    // The native path of a Windows-style path relative to the folder ("Fixes\a.pod").
    std::filesystem::path Native(std::string_view relative) const;

    // Creates the file (and its folders) with the given bytes.
    void Write(std::string_view relative, std::string_view bytes = {}) const;
    void MakeFolder(std::string_view relative) const;
    // A file of exactly this size, without writing its bytes.
    void WriteSized(std::string_view relative, std::uintmax_t size) const;
    std::string Read(std::string_view relative) const;
    bool Exists(std::string_view relative) const;

private:
    std::filesystem::path root_;
};

}  // namespace marvok::test
