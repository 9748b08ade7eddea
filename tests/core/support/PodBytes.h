#pragma once
// Crafted POD1 archives: the count, the 80-byte comment, the entry table, then any payload.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace marvok::test {

struct PodEntryBytes {
    std::string path;
    std::uint32_t size = 0;
    std::uint32_t offset = 0;
};

// Text fields are NUL-padded or cut to their width; count defaults to the number of entries.
inline std::string PodBytes(std::string comment, std::vector<PodEntryBytes> entries,
                            std::optional<std::uint32_t> count = {}, std::size_t payload = 0) {
    std::string out;
    const auto put = [&out](std::uint32_t v) {
        for (int i = 0; i < 4; ++i) {
            out += static_cast<char>((v >> (8 * i)) & 0xff);
        }
    };
    put(count.value_or(static_cast<std::uint32_t>(entries.size())));
    comment.resize(80, '\0');
    out += comment;
    for (auto& e : entries) {
        e.path.resize(32, '\0');
        out += e.path;
        put(e.size);
        put(e.offset);
    }
    return out.append(payload, 'x');
}

// A sound archive of these (empty) inner files.
inline std::string SoundPod(const std::vector<std::string>& paths) {
    std::vector<PodEntryBytes> entries;
    for (const auto& p : paths) {
        entries.push_back({p, 0, 84});
    }
    return PodBytes("", entries);
}

}  // namespace marvok::test
