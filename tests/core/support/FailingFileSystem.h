#pragma once
// The real file system whose atomic writes can be made to fail, as a full disk would, and which
// notes what it is asked to read.

#include <functional>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace marvok::test {

class FailingFileSystem final : public platform::FileSystem {
public:
    explicit FailingFileSystem(platform::FileSystem& real) : real_(real) {}

    std::optional<platform::EntryKind> Attributes(std::string_view path) const override {
        return real_.Attributes(path);
    }
    std::optional<std::uint64_t> FileSize(std::string_view path) const override {
        return real_.FileSize(path);
    }
    bool ListDirectory(std::string_view folder,
                       std::vector<platform::DirectoryEntry>& entries) const override {
        return real_.ListDirectory(folder, entries);
    }
    platform::ReadResult ReadFile(std::string_view path, std::size_t maxBytes) const override {
        reads.push_back({std::string(path), maxBytes});
        platform::ReadResult result = real_.ReadFile(path, maxBytes);
        if (afterRead) {
            afterRead(reads.back());
        }
        return result;
    }
    std::string WriteFileAtomic(std::string_view path, std::string_view bytes) override {
        ++writeAttempts;
        return failWith.empty() ? real_.WriteFileAtomic(path, bytes) : failWith;
    }
    std::string ShortPath(std::string_view path) const override { return real_.ShortPath(path); }
    bool IsNativeAbsolute(std::string_view path) const override {
        return real_.IsNativeAbsolute(path);
    }
    std::string NativePath(std::string_view path) const override {
        return real_.NativePath(path);
    }

    std::string failWith;
    int writeAttempts = 0;
    struct Read {
        std::string path;
        std::size_t maxBytes;
    };
    mutable std::vector<Read> reads;
    std::function<void(const Read&)> afterRead;

private:
    platform::FileSystem& real_;
};

}  // namespace marvok::test
