#pragma once
// What the fuzz targets share: a failed check that libFuzzer reports as a crash, printable forms
// of the bytes involved, and a disk held in memory.

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/Text.h"
#include "platform/FileSystem.h"

namespace marvok::fuzz {

// The bytes as a C string literal would show them.
inline std::string Shown(std::string_view bytes) {
    std::string out = "\"";
    for (unsigned char c : bytes) {
        char buffer[8];
        std::snprintf(buffer, sizeof buffer,
                      c == '"' || c == '\\'   ? "\\%c"
                      : c >= 0x20 && c < 0x7F ? "%c"
                                              : "\\x%02x",
                      c);
        out += buffer;
    }
    return out + "\"";
}

// Stops the run the way a crash does, so libFuzzer keeps the input.
[[noreturn]] inline void Fail(std::string_view what, const std::string& details) {
    std::fprintf(stderr, "\n== fuzz check failed: %.*s\n%s\n", static_cast<int>(what.size()),
                 what.data(), details.c_str());
    std::abort();
}

// Every path exists as a file; the files written or put here hold their bytes, the folders
// listed here their entries. Case does not matter, as in Windows paths.
class MemoryFileSystem final : public platform::FileSystem {
  public:
    std::optional<platform::EntryKind> Attributes(std::string_view) const override {
        return platform::EntryKind::File;
    }
    std::optional<std::uint64_t> FileSize(std::string_view path) const override {
        const auto it = files.find(text::LowerCase(path));
        return it == files.end() ? 0 : it->second.size();
    }
    bool ListDirectory(std::string_view folder,
                       std::vector<platform::DirectoryEntry>& entries) const override {
        if (const auto it = folders.find(text::LowerCase(folder)); it != folders.end()) {
            entries = it->second;
        }
        return true;
    }
    platform::ReadResult ReadFile(std::string_view path, std::size_t maxBytes) const override {
        const auto it = files.find(text::LowerCase(path));
        if (it == files.end()) {
            return {false, {}, "not in memory"};
        }
        return {true, it->second.substr(0, maxBytes), {}};
    }
    std::string WriteFileAtomic(std::string_view path, std::string_view bytes) override {
        Put(path, bytes);
        return {};
    }
    std::string ShortPath(std::string_view path) const override { return std::string(path); }
    bool IsNativeAbsolute(std::string_view path) const override {
        return !path.empty() && path.front() == '/';
    }
    std::string NativePath(std::string_view path) const override { return std::string(path); }

    void Put(std::string_view path, std::string_view bytes) {
        files[text::LowerCase(path)] = bytes;
    }
    void PutFolder(std::string_view path, std::vector<platform::DirectoryEntry> entries) {
        folders[text::LowerCase(path)] = std::move(entries);
    }
    const std::string& Get(std::string_view path) { return files[text::LowerCase(path)]; }

  private:
    std::map<std::string, std::string> files;
    std::map<std::string, std::vector<platform::DirectoryEntry>> folders;
};

}  // namespace marvok::fuzz
