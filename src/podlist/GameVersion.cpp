#include <array>
#include <utility>

#include "podlist/mCommonFunctions.h"
#include "shell/mCommonFunctions.h"

namespace marvok::podlist::mCommonFunctions {
namespace {

struct Edition {
    std::uint64_t size;
    std::string_view version;
};

constexpr std::array<Edition, 5> kEditions = {{
    {2920448, "MTM2 Unpatched"},
    {2925568, "MTM2 Patched"},
    {2918400, "MTM2 Trial"},
    {3109888, "MTM1 Unpatched"},
    {2455552, "MTM1 Patched"},
}};

}  // namespace

std::string_view GameVersionForSize(std::uint64_t size) {
    for (const auto& edition : kEditions) {
        if (edition.size == size) {
            return edition.version;
        }
    }
    return "Unknown";
}

void DetectGameVersion(Session& session) {
    const std::string base = shell::mCommonFunctions::StripTrailingBackslash(session.GameFolder);
    session.GameExeName = "monster.exe";
    session.GameExePath = base + "\\" + session.GameExeName;
    auto size = session.fs.FileSize(session.GameExePath);
    if (!size) {
        session.GameExeName = "monsterx.exe";
        session.GameExePath = base + "\\" + session.GameExeName;
        size = session.fs.FileSize(session.GameExePath);
    }
    session.GameVersion = std::string(GameVersionForSize(size.value_or(0)));

    Controls& c = session.controls;
    if (session.GameVersion == "MTM1 Unpatched" || session.GameVersion == "MTM1 Patched") {
        c.SetEnabled("menuReset", false);
    } else if (session.GameVersion == "Unknown") {
        c.SetEnabled(ControlName("toolbar", 7), false);
        c.SetEnabled(ControlName("menuPrefs", 1), false);
        c.SetEnabled(ControlName("menuFile", 5), false);
        c.SetEnabled(ControlName("commFile", 0), false);
    }
    session.PodLimit = session.GameVersion == "MTM2 Patched" ? 100 : 30;
    if (!shell::mCommonFunctions::FileExists(session, session.MonsterIniPath)) {
        c.SetEnabled(ControlName("menuPrefs", 2), false);
        c.SetEnabled(ControlName("toolbar", 9), false);
    }
}

}  // namespace marvok::podlist::mCommonFunctions
