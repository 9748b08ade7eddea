// pod.ini as the game folder holds it: whatever Marvok reads from it, it must write so that it
// reads back the same, in each way the lists can be shown.

#include <cstddef>
#include <cstdint>

#include "FuzzSupport.h"
#include "podlist/Session.h"
#include "podlist/mPodini.h"
#include "support/FakeUserInterface.h"
#include "support/MemorySettingsStore.h"

namespace marvok::fuzz {
namespace {

struct Shape {
    const char* name;
    short viewMode;
    const char* sortMode;
};

constexpr Shape kShapes[] = {
    {"side by side", 2, "no"}, {"side by side, sorted", 2, "yes"}, {"check boxes", 1, "no"}};

std::vector<std::string> Mounted(const Session& session) {
    if (session.SideBySide()) {
        return session.List1.Items();
    }
    std::vector<std::string> names;
    for (std::size_t i = 0; i < session.List3.Count(); ++i) {
        if (session.List3.Checked(i)) {
            names.push_back(session.List3.Item(i));
        }
    }
    return names;
}

void RoundTrip(std::string_view file, const Shape& shape) {
    MemoryFileSystem disk;
    test::MemorySettingsStore settings;
    test::FakeUserInterface ui;
    Session session(disk, settings, ui);
    SetGamePaths(session, "C:\\Games\\Monster Truck Madness 2");
    session.PodLimit = 40;
    session.ViewMode = shape.viewMode;
    session.SortMode = shape.sortMode;
    session.KeepOnTop = 2;
    disk.Put(session.PodIniPath, file);

    if (!mPodini::LoadPodList(session, "").Done()) {
        return;  // refused whole: nothing was read, so nothing to give back
    }
    const std::vector<std::string> read = Mounted(session);
    const FileResult saved = mPodini::SavePodList(session, "");
    if (!saved.Done()) {
        Fail("a list that was read cannot be written", std::string(shape.name) + ": " +
                                                           Shown(read) + ": " + saved.error);
    }
    const std::string written = disk.Get(session.PodIniPath);
    if (!mPodini::LoadPodList(session, "").Done()) {
        Fail("what Marvok wrote cannot be read", std::string(shape.name) + ": " + Shown(written));
    }
    const std::vector<std::string> reread = Mounted(session);
    if (reread != read) {
        Fail("the list does not read back as it was written",
             std::string(shape.name) + "\nread:    " + Shown(read) +
                 "\nwritten: " + Shown(written) + "\nreread:  " + Shown(reread));
    }
}

}  // namespace
}  // namespace marvok::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view file(reinterpret_cast<const char*>(data), size);
    for (const auto& shape : marvok::fuzz::kShapes) {
        marvok::fuzz::RoundTrip(file, shape);
    }
    return 0;
}
