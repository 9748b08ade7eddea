// pod.ini as the game folder holds it: whatever Marvok mounts from it, it writes so that it reads
// back the same.

#include <cstddef>
#include <cstdint>

#include "PodListRoundTrip.h"

namespace marvok::fuzz {
namespace {

void FromPodIni(std::string_view file, const Shape& shape) {
    Game game(shape);
    game.disk.Put(game.session.PodIniPath, file);
    if (mPodini::LoadPodList(game.session, "").Done()) {  // else refused whole: nothing read
        CheckReadsBack(game, shape, "read from pod.ini " + Shown(file));
    }
}

}  // namespace
}  // namespace marvok::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view file(reinterpret_cast<const char*>(data), size);
    for (const auto& shape : marvok::fuzz::kShapes) {
        marvok::fuzz::FromPodIni(file, shape);
    }
    return 0;
}
