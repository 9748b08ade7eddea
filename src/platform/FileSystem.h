#pragma once
// File system access for the core. Paths are Windows text: "\" separates folders, a drive path
// starts with "X:\". Each platform resolves such text against its own disk.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace marvok::platform {

enum class EntryKind { File, Directory };

struct DirectoryEntry {
    std::string name;
    bool isDirectory = false;
};

// ReadFile's reason for a named pipe, a device or anything else that is neither file nor folder.
inline constexpr std::string_view kNotARegularFile = "It is not a regular file.";

struct ReadResult {
    bool ok = false;
    std::string bytes;
    std::string error;  // the system's reason when !ok
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // What exists at the path (following links), or nothing.
    virtual std::optional<EntryKind> Attributes(std::string_view path) const = 0;
    // Size of the ordinary file at the path; nothing for folders and missing paths.
    virtual std::optional<std::uint64_t> FileSize(std::string_view path) const = 0;
    // Reads a folder's entries once, without "." and "..", in the platform's order.
    virtual bool ListDirectory(std::string_view folder,
                               std::vector<DirectoryEntry>& entries) const = 0;
    // Reads at most maxBytes from the start of the file; refuses at once what is not a file.
    virtual ReadResult ReadFile(std::string_view path, std::size_t maxBytes) const = 0;
    // Replaces the file whole through a temporary file beside it; the old file stays intact on
    // failure. Returns the empty text on success, else the reason.
    virtual std::string WriteFileAtomic(std::string_view path, std::string_view bytes) = 0;
    // The space-free (8.3) form of an existing path; empty when there is none.
    virtual std::string ShortPath(std::string_view path) const = 0;
    // Whether the platform takes the path as absolute beyond the "X:\" rule ("/home/..." on Linux).
    virtual bool IsNativeAbsolute(std::string_view path) const = 0;
    // The platform's own form of a path, for handing to other programs and dialogs: an existing
    // path as found on disk, anything else with the platform's separators.
    virtual std::string NativePath(std::string_view path) const = 0;
};

// The platform's file system; gameFolder tells the Linux side which Wine prefix it lives in.
std::unique_ptr<FileSystem> CreateFileSystem(std::string_view gameFolder);

}  // namespace marvok::platform
