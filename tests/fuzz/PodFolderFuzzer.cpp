// The pods found in the game folder, all mounted by the user: Marvok writes them so that they
// read back the same.
//
// Input: the names of the game folder's files, one a line (blank lines and names no file can
// have skipped, ".pod" added where missing).

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "PodListRoundTrip.h"
#include "podlist/mAvailablePods.h"
#include "podlist/mCommonFunctions.h"

namespace marvok::fuzz {
namespace {

void FromGameFolder(std::string_view lines, const Shape& shape) {
    Game game(shape);
    Session& session = game.session;
    std::vector<platform::DirectoryEntry> entries;
    std::size_t start = 0;
    while (start < lines.size()) {
        const std::size_t end = std::min(lines.find_first_of("\r\n", start), lines.size());
        std::string name(lines.substr(start, end - start));
        start = end + 1;
        // No file is named with a NUL or a slash, on either system.
        if (name.empty() || name.find_first_of(std::string_view("\0/", 2)) != std::string::npos) {
            continue;
        }
        if (!text::EndsWithIgnoringCase(name, ".pod")) {
            name += ".pod";
        }
        entries.push_back({name, false});
    }
    game.disk.PutFolder(kGameFolder, std::move(entries));
    mAvailablePods::RefreshAvailablePods(session);
    // The user mounts every pod found, as far as the limit allows.
    if (session.SideBySide()) {
        while (session.List2.Count() > 0) {
            const std::size_t before = session.List2.Count();
            mCommonFunctions::MovePod(session, 0, session.List2, session.List1, "checkLimit");
            if (session.List2.Count() == before) {
                break;
            }
        }
    } else {
        const auto limit = static_cast<std::size_t>(session.PodLimit);
        for (std::size_t i = 0; i < session.List3.Count() && session.List3.CheckedCount() < limit;
             ++i) {
            session.List3.SetChecked(i, true);
        }
    }
    CheckReadsBack(game, shape, "found in the game folder " + Shown(lines));
}

}  // namespace
}  // namespace marvok::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view lines(reinterpret_cast<const char*>(data), size);
    for (const auto& shape : marvok::fuzz::kShapes) {
        marvok::fuzz::FromGameFolder(lines, shape);
    }
    return 0;
}
