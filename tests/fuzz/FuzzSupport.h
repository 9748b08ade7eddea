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

#include "platform/FileSystem.h"
#include "shell/Text.h"

namespace marvok::fuzz {

// The bytes as a C string literal would show them.
inline std::string Shown(std::string_view bytes) {
    std::string out = "\"";
    for (unsigned char c : bytes) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\x%02x", c);
            out += buffer;
        }
    }
    return out + "\"";
}

inline std::string Shown(const std::vector<std::string>& items) {
    std::string out = "[";
    for (const auto& item : items) {
        out += (out.size() > 1 ? ", " : "") + Shown(item);
    }
    return out + "]";
}

// Stops the run the way a crash does, so libFuzzer keeps the input.
[[noreturn]] inline void Fail(std::string_view what, std::string_view details) {
    std::fprintf(stderr, "\n== fuzz check failed: %.*s\n%.*s\n", static_cast<int>(what.size()),
                 what.data(), static_cast<int>(details.size()), details.data());
    std::abort();
}

// Every path exists as a file; the files written or put here hold their bytes, the folders
// listed here their entries.
class MemoryFileSystem final : public platform::FileSystem {
public:
    std::optional<platform::EntryKind> Attributes(std::string_view) const override {
        return platform::EntryKind::File;
    }
    std::optional<std::uint64_t> FileSize(std::string_view path) const override {
        const auto it = files.find(Key(path));
        return it == files.end() ? 0 : it->second.size();
    }
    bool ListDirectory(std::string_view folder,
                       std::vector<platform::DirectoryEntry>& entries) const override {
        const auto it = folders.find(Key(folder));
        if (it != folders.end()) {
            entries = it->second;
        }
        return true;
    }
    platform::ReadResult ReadFile(std::string_view path, std::size_t maxBytes) const override {
        platform::ReadResult result;
        const auto it = files.find(Key(path));
        if (it == files.end()) {
            result.error = "not in memory";
            return result;
        }
        result.ok = true;
        result.bytes = it->second.substr(0, maxBytes);
        return result;
    }
    std::string WriteFileAtomic(std::string_view path, std::string_view bytes) override {
        files[Key(path)] = std::string(bytes);
        return {};
    }
    std::string ShortPath(std::string_view path) const override { return std::string(path); }
    bool IsNativeAbsolute(std::string_view path) const override {
        return !path.empty() && path.front() == '/';
    }
    std::string NativePath(std::string_view path) const override { return std::string(path); }

    void Put(std::string_view path, std::string_view bytes) { files[Key(path)] = bytes; }
    void PutFolder(std::string_view path, std::vector<platform::DirectoryEntry> entries) {
        folders[Key(path)] = std::move(entries);
    }
    const std::string& Get(std::string_view path) { return files[Key(path)]; }

private:
    // Windows paths: case does not matter.
    static std::string Key(std::string_view path) { return text::LowerCase(path); }

    std::map<std::string, std::string> files;
    std::map<std::string, std::vector<platform::DirectoryEntry>> folders;
};

}  // namespace marvok::fuzz
