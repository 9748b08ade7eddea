#pragma once

#include <sys/stat.h>

#include <optional>
#include <unordered_map>
#include <vector>
#include <string>

#include "platform/FileSystem.h"
#include "platform/posix/WinePrefix.h"

namespace marvok::platform {

// Windows path text on a Linux disk: "\" and "/" both separate, names match ignoring case (and
// Wine's short names match too), and drive letters resolve through the Wine prefix when there
// is one.
class PosixFileSystem final : public FileSystem {
public:
    // gameFolder: the native path of the game folder, whose own names may hold "\".
    explicit PosixFileSystem(std::optional<WinePrefix> prefix, std::string gameFolder = {});

    std::optional<EntryKind> Attributes(std::string_view path) const override;
    std::optional<std::uint64_t> FileSize(std::string_view path) const override;
    bool ListDirectory(std::string_view folder,
                       std::vector<DirectoryEntry>& entries) const override;
    ReadResult ReadFile(std::string_view path, std::size_t maxBytes) const override;
    std::string WriteFileAtomic(std::string_view path, std::string_view bytes) override;
    std::string ShortPath(std::string_view path) const override;
    bool IsNativeAbsolute(std::string_view path) const override;
    std::string NativePath(std::string_view path) const override;

    // The native path of what exists at a Windows path, or nothing.
    std::optional<std::string> Resolve(std::string_view path) const;
    // The native path to write a Windows path to: its folder must exist; an existing file of the
    // same name in another letter case is the one replaced.
    std::optional<std::string> ResolveForWrite(std::string_view path) const;

    const std::optional<WinePrefix>& Prefix() const { return prefix_; }

private:
    // The entry of folder whose name equals name ignoring case, or whose Wine short name does.
    std::optional<std::string> MatchInFolder(const std::string& folder,
                                             const std::string& name) const;

    // When a folder's names were read, to tell whether they still hold: a folder that changes
    // gets a new time or, replaced, a new inode.
    struct FolderStamp {
        timespec modified{};  // the folder's time when its names were read
        timespec read{};      // when they were read
        ino_t inode = 0;

        static FolderStamp Of(const struct stat& folder);
        bool Trusted(const struct stat& now) const;
    };

    // Names of folders already searched, so that a lookup in another letter case does not read
    // a large folder again; an entry is dropped when its folder changes.
    struct FolderIndex {
        FolderStamp stamp;
        std::vector<std::string> names;
        std::unordered_map<std::string, std::size_t> byLower;  // first of equal names wins
        std::unordered_map<std::string, std::size_t> byShort;
        bool shortIndexed = false;
    };
    static constexpr std::size_t kMaxIndexedFolders = 256;

    // Folders listed before, in listing order, so that a Refresh of a large pod tree reads only
    // the folders that changed.
    struct Listing {
        FolderStamp stamp;
        std::vector<DirectoryEntry> entries;
    };
    static constexpr std::size_t kMaxListedEntries = 200000;

    void KeepListing(const std::string& native, const FolderStamp& stamp,
                     const std::vector<DirectoryEntry>& entries) const;

    // The path with "\" and "/" both taken as separators, except inside the game folder's own
    // path; "." and ".." taken out.
    std::string DirectPath(std::string_view path) const;

    std::optional<WinePrefix> prefix_;
    std::string gameFolder_;
    mutable std::unordered_map<std::string, FolderIndex> folders_;
    mutable std::unordered_map<std::string, Listing> listings_;
    mutable std::size_t listedEntries_ = 0;
};

}  // namespace marvok::platform
