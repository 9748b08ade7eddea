#pragma once
// The header of a game archive (.pod, POD1): a little-endian uint32 file count, an 80-byte
// comment, then 40 bytes per inner file (a 32-byte path, a uint32 size, a uint32 offset).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"

namespace marvok {

inline constexpr std::size_t kPodHeaderBytes = 84;
inline constexpr std::size_t kPodEntryBytes = 40;

struct PodInnerFile {
    std::string path;  // UTF-8, as the archive spells it ("ART\BACKHOE.ACT")
    std::uint32_t size = 0;
    std::uint32_t offset = 0;
};

enum class PodArchiveState { Sound, Unreadable, Damaged };

// What to read: the header alone (84 bytes, whatever the count) or the entry table too.
enum class PodRead { Header, Entries };

struct PodArchive {
    PodArchiveState state = PodArchiveState::Sound;
    std::string problem;  // why it is not sound, for the user
    std::uint64_t fileSize = 0;
    std::uint32_t fileCount = 0;
    std::string comment;              // UTF-8, up to its first NUL
    std::vector<PodInnerFile> files;  // filled only by PodRead::Entries on a sound archive

    bool Sound() const { return state == PodArchiveState::Sound; }
};

// bytes: the first bytes of a file of fileSize bytes, at least as many as `what` needs.
PodArchive ParsePodArchive(std::string_view bytes, std::uint64_t fileSize, PodRead what);

// Reads the archive at a full path. The count is checked against the file's size before the
// entry table is read, so a damaged count costs nothing.
PodArchive ReadPodArchive(const platform::FileSystem& fs, std::string_view path,
                          PodRead what = PodRead::Header);

}  // namespace marvok
