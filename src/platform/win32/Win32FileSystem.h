#pragma once

#include "platform/FileSystem.h"

namespace marvok::platform {

// The file system through the wide Win32 calls: paths are taken as Windows takes them.
class Win32FileSystem final : public FileSystem {
  public:
    std::optional<EntryKind> Attributes(std::string_view path) const override;
    std::optional<std::uint64_t> FileSize(std::string_view path) const override;
    bool ListDirectory(std::string_view folder,
                       std::vector<DirectoryEntry>& entries) const override;
    ReadResult ReadFile(std::string_view path, std::size_t maxBytes) const override;
    std::string WriteFileAtomic(std::string_view path, std::string_view bytes) override;
    std::string ShortPath(std::string_view path) const override;
    bool IsNativeAbsolute(std::string_view path) const override;
    std::string NativePath(std::string_view path) const override;
};

}  // namespace marvok::platform
