#include "podlist/PodArchive.h"

#include <algorithm>

#include "common/Text.h"

namespace marvok {
namespace {

constexpr std::size_t kCommentBytes = 80;
constexpr std::size_t kInnerPathBytes = 32;

std::uint32_t LittleEndian32(std::string_view bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    }
    return value;
}

// A NUL-padded text field; one that fills its field has no NUL at all.
std::string PaddedText(std::string_view field) {
    return text::FromWindows1252(field.substr(0, std::min(field.find('\0'), field.size())));
}

PodArchive Damaged(PodArchive archive, std::string problem) {
    archive.state = PodArchiveState::Damaged;
    archive.problem = std::move(problem);
    archive.files.clear();
    return archive;
}

std::uint64_t TableEnd(std::uint32_t count) {
    return kPodHeaderBytes + static_cast<std::uint64_t>(count) * kPodEntryBytes;
}

}  // namespace

PodArchive ParsePodArchive(std::string_view bytes, std::uint64_t fileSize, PodRead what) {
    PodArchive archive;
    archive.fileSize = fileSize;
    if (fileSize == 0 || bytes.empty()) {
        return Damaged(std::move(archive), "The file is empty.");
    }
    if (bytes.size() < kPodHeaderBytes || fileSize < kPodHeaderBytes) {
        const auto have = std::min<std::uint64_t>(bytes.size(), fileSize);
        return Damaged(std::move(archive),
                       "It is too short for a POD1 archive: " + std::to_string(have) +
                           " bytes, where the header alone takes 84.");
    }
    archive.fileCount = LittleEndian32(bytes, 0);
    archive.comment = PaddedText(bytes.substr(4, kCommentBytes));
    if (TableEnd(archive.fileCount) > fileSize) {
        return Damaged(std::move(archive),
                       "Its header promises " + std::to_string(archive.fileCount) +
                           (archive.fileCount == 1 ? " file" : " files") + ", more than its " +
                           std::to_string(fileSize) + " bytes can hold.");
    }
    if (what == PodRead::Header) {
        return archive;
    }
    if (bytes.size() < TableEnd(archive.fileCount)) {
        return Damaged(std::move(archive), "It ended while its entry table was read.");
    }
    archive.files.reserve(archive.fileCount);
    for (std::uint32_t i = 0; i < archive.fileCount; ++i) {
        const std::size_t at = kPodHeaderBytes + std::size_t{i} * kPodEntryBytes;
        PodInnerFile file;
        file.path = PaddedText(bytes.substr(at, kInnerPathBytes));
        file.size = LittleEndian32(bytes, at + kInnerPathBytes);
        file.offset = LittleEndian32(bytes, at + kInnerPathBytes + 4);
        if (std::uint64_t{file.offset} + file.size > fileSize) {
            return Damaged(std::move(archive),
                           "Its entry " + file.path + " runs past the end of the file (offset " +
                               std::to_string(file.offset) + ", size " + std::to_string(file.size) +
                               ", file " + std::to_string(fileSize) + " bytes).");
        }
        archive.files.push_back(std::move(file));
    }
    return archive;
}

PodArchive ReadPodArchive(const platform::FileSystem& fs, std::string_view path, PodRead what) {
    const platform::ReadResult header = fs.ReadFile(path, kPodHeaderBytes);
    if (!header.ok) {
        PodArchive archive;
        archive.state = PodArchiveState::Unreadable;
        archive.problem = header.error;
        return archive;
    }
    // A file that changed since it was read: its bytes tell the truth about its start.
    const std::uint64_t fileSize = fs.FileSize(path).value_or(header.bytes.size());
    PodArchive archive = ParsePodArchive(header.bytes, fileSize, PodRead::Header);
    if (what == PodRead::Header || !archive.Sound()) {
        return archive;
    }
    // The count fits the file, so this read is bounded by the file's own size.
    const platform::ReadResult table =
        fs.ReadFile(path, static_cast<std::size_t>(TableEnd(archive.fileCount)));
    if (!table.ok) {
        archive.state = PodArchiveState::Unreadable;
        archive.problem = table.error;
        return archive;
    }
    return ParsePodArchive(table.bytes, fileSize, PodRead::Entries);
}

}  // namespace marvok
