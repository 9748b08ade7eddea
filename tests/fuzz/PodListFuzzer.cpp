// The mounted list's round trip: whatever Marvok mounts, saved to pod.ini and read back, is the
// same, in each way the lists can be shown. Built twice: pod_list mounts the input as pod.ini;
// pod_folder (MARVOK_FUZZ_GAME_FOLDER) takes it as the names of the game folder's files, one a
// line (blank lines and names with a NUL or slash skipped, ".pod" added where missing), and the
// user mounts all it can.

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "FuzzSupport.h"
#include "common/Session.h"
#include "podlist/mAvailablePods.h"
#include "podlist/mCommonFunctions.h"
#include "podlist/mPodini.h"
#include "support/FakeUserInterface.h"
#include "support/MemorySettingsStore.h"

namespace marvok::fuzz {
namespace {

constexpr std::string_view kGameFolder = "C:\\Games\\Monster Truck Madness 2";

// The fuzzer's own reading of the lists, not MountedEntries: a save that writes the wrong entries
// must not be judged by the same fault.
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

#ifdef MARVOK_FUZZ_GAME_FOLDER
bool Mount(Session& session, MemoryFileSystem& disk, std::string_view lines) {
    std::vector<platform::DirectoryEntry> entries;
    for (std::size_t start = 0, end; start < lines.size(); start = end + 1) {
        end = std::min(lines.find_first_of("\r\n", start), lines.size());
        std::string name(lines.substr(start, end - start));
        if (!name.empty() && name.find_first_of(std::string_view("\0/", 2)) == std::string::npos) {
            entries.push_back(
                {text::EndsWithIgnoringCase(name, ".pod") ? name : name + ".pod", false});
        }
    }
    disk.PutFolder(kGameFolder, std::move(entries));
    mAvailablePods::RefreshAvailablePods(session);
    if (session.SideBySide()) {
        for (std::size_t before = 0;
             session.List2.Count() > 0 && session.List2.Count() != before;) {
            before = session.List2.Count();
            podlist::mCommonFunctions::MovePod(session, 0, session.List2, session.List1,
                                               "checkLimit");
        }
    } else {
        const auto limit = static_cast<std::size_t>(session.PodLimit);
        for (std::size_t i = 0; i < session.List3.Count() && session.List3.CheckedCount() < limit;
             ++i) {
            session.List3.SetChecked(i, true);
        }
    }
    return true;
}
#else
bool Mount(Session& session, MemoryFileSystem& disk, std::string_view file) {
    disk.Put(session.PodIniPath, file);
    return mPodini::LoadPodList(session, "").Done();  // else refused whole: nothing read
}
#endif

void CheckReadsBack(std::string_view input, short viewMode, const char* sortMode) {
    MemoryFileSystem disk;
    test::MemorySettingsStore settings;
    test::FakeUserInterface ui;
    Session session{disk, settings, ui};
    SetGamePaths(session, kGameFolder);
    session.PodLimit = 40;
    session.ViewMode = viewMode;
    session.SortMode = sortMode;
    session.KeepOnTop = 2;
    if (!Mount(session, disk, input)) {
        return;
    }
    const std::vector<std::string> mounted = Mounted(session);
    const std::string where = "view " + std::to_string(viewMode) + ", sort " + sortMode + ": ";
    if (const FileResult saved = mPodini::SavePodList(session, ""); !saved.Done()) {
        Fail("a mounted list cannot be written", where + saved.error);
    }
    if (!mPodini::LoadPodList(session, "").Done() || Mounted(session) != mounted) {
        Fail("the list does not read back as it was written",
             where + "written " + Shown(disk.Get(session.PodIniPath)));
    }
}

}  // namespace
}  // namespace marvok::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    marvok::fuzz::CheckReadsBack(input, 2, "no");  // side by side
    marvok::fuzz::CheckReadsBack(input, 2, "yes");
    marvok::fuzz::CheckReadsBack(input, 1, "no");  // check boxes
    return 0;
}
