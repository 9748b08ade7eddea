// A game archive's header and entry table, from any bytes: never a crash, and a sound answer
// only for bytes that hold what it says.
//
// Input: the file's bytes; the first byte also chooses a claimed file size larger than the bytes,
// as a file cut short in the reading would give.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "podlist/PodArchive.h"

namespace {

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace marvok;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::uint64_t sizes[] = {size, size + (size == 0 ? 0u : data[0]) * 4096ull};
    for (const std::uint64_t fileSize : sizes) {
        const PodArchive header = ParsePodArchive(bytes, fileSize, PodRead::Header);
        const PodArchive whole = ParsePodArchive(bytes, fileSize, PodRead::Entries);
        Require(header.files.empty());
        Require(!whole.Sound() || whole.files.size() == whole.fileCount);
        Require(whole.Sound() || whole.files.empty());
        Require(!whole.Sound() || header.Sound());
        if (whole.Sound()) {
            Require(kPodHeaderBytes + std::uint64_t{whole.fileCount} * kPodEntryBytes <= size);
            for (const PodInnerFile& file : whole.files) {
                Require(std::uint64_t{file.offset} + file.size <= fileSize);
            }
        } else {
            Require(!whole.problem.empty());
        }
    }
    return 0;
}
