#pragma once
// The round trip of the mounted list: saved to pod.ini and read back, it must be the same, in
// each way the lists can be shown.

#include "FuzzSupport.h"
#include "podlist/Session.h"
#include "podlist/mPodini.h"
#include "support/FakeUserInterface.h"
#include "support/MemorySettingsStore.h"

namespace marvok::fuzz {

inline constexpr std::string_view kGameFolder = "C:\\Games\\Monster Truck Madness 2";

struct Shape {
    const char* name;
    short viewMode;
    const char* sortMode;
};

inline constexpr Shape kShapes[] = {
    {"side by side", 2, "no"}, {"side by side, sorted", 2, "yes"}, {"check boxes", 1, "no"}};

struct Game {
    MemoryFileSystem disk;
    test::MemorySettingsStore settings;
    test::FakeUserInterface ui;
    Session session{disk, settings, ui};

    explicit Game(const Shape& shape) {
        SetGamePaths(session, kGameFolder);
        session.PodLimit = 40;
        session.ViewMode = shape.viewMode;
        session.SortMode = shape.sortMode;
        session.KeepOnTop = 2;
    }
};

inline std::vector<std::string> Mounted(const Session& session) {
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

// Saves the mounted list and reads it back.
inline void CheckReadsBack(Game& game, const Shape& shape, std::string_view how) {
    Session& session = game.session;
    const std::vector<std::string> mounted = Mounted(session);
    const std::string where = std::string(shape.name) + ", " + std::string(how);
    const FileResult saved = mPodini::SavePodList(session, "");
    if (!saved.Done()) {
        Fail("a mounted list cannot be written",
             where + ": " + Shown(mounted) + ": " + saved.error);
    }
    const std::string written = game.disk.Get(session.PodIniPath);
    if (!mPodini::LoadPodList(session, "").Done()) {
        Fail("what Marvok wrote cannot be read", where + ": " + Shown(written));
    }
    const std::vector<std::string> reread = Mounted(session);
    if (reread != mounted) {
        Fail("the list does not read back as it was written",
             where + "\nmounted: " + Shown(mounted) + "\nwritten: " + Shown(written) +
                 "\nreread:  " + Shown(reread));
    }
}

}  // namespace marvok::fuzz
