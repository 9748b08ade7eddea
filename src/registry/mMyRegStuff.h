#pragma once
// The game's registry entries: the three editions' profiles and their reset, the values the
// registry window shows, Marvok's Explorer verbs on .ini files and K-vex's start-up position.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "common/Controls.h"
#include "common/Session.h"
#include "platform/Registry.h"

namespace marvok::mMyRegStuff {

inline constexpr std::string_view kGameKeyBase = "SOFTWARE\\Microsoft\\";
inline constexpr std::string_view kUninstallBase =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
inline constexpr std::string_view kDirectPlayBase =
    "SOFTWARE\\Microsoft\\DirectPlay\\Applications\\";
inline constexpr std::string_view kKvexKey = "Software\\VB and VBA Program Settings\\K-VEX.1.0.56";

// One key's values, filled completely by a writer and then written in order.
struct RegValueSet {
    std::string keyPath;
    std::vector<std::string> names;
    std::vector<std::string> data;
    int count = 0;
};

// Writes the first count pairs as REG_SZ values, in order; a failing pair does not stop the rest.
void WriteValueList(platform::Registry& registry, UserInterface& ui, std::string_view rootKey,
                    std::string_view keyPath, const std::vector<std::string>& names,
                    const std::vector<std::string>& data, int count);

// A profile's entries ("mtm2", "mtm1", "trial"), with the game's paths as the registry's
// programs see them. An unknown profile, or DirectPlay for "mtm1", gives an empty set.
RegValueSet GameKeySet(const Session& session, const platform::Registry& registry,
                       std::string_view profile);
RegValueSet UninstallKeySet(const Session& session, const platform::Registry& registry,
                            std::string_view profile);
RegValueSet DirectPlayKeySet(const Session& session, const platform::Registry& registry,
                             std::string_view profile);

void ResetGameKey(Session& session, platform::Registry& registry, std::string_view profile);
void ResetUninstallKey(Session& session, platform::Registry& registry, std::string_view profile);
void ResetDirectPlayKey(Session& session, platform::Registry& registry, std::string_view profile);
// Game key, uninstall key and, for "mtm2" and "trial", the DirectPlay key. False, after telling
// the user, when the registry cannot be written now.
bool ResetAs(Session& session, platform::Registry& registry, std::string_view profile);

// The keys whose values are shown for a game version (empty: the root; no DirectPlay key for
// the first game and for an unknown one).
struct ShownKeys {
    std::string game;
    std::string directPlay;
    bool hasDirectPlay = false;
    std::string uninstall;
};
ShownKeys KeysForVersion(std::string_view gameVersion);

// What the registry window shows.
// What a frame's first row says when its key holds nothing, or the edition has no such key.
inline constexpr std::string_view kNotRegistered = "not registered";
inline constexpr std::string_view kNoDirectPlayKey = "none for this edition";

struct RegistryDisplay {
    std::string caption = "MTM Registry Values";
    std::string frameCaption = "MTM2 ";
    std::array<std::string, 7> mLabel, mValue;
    std::array<std::string, 5> dpLabel, dpValue;
    std::array<std::string, 2> uLabel, uValue;
};

// Enables the "Reset As..." items (menuRegistry_1 to _3) that fit the game version.
void EnableResetItems(const Session& session, Controls& controls);
// Reads the keys of the game version into the display.
void ShowGameRegistry(Session& session, platform::Registry& registry, RegistryDisplay& display);

// The running program, for the verbs' command lines.
struct ProgramLocation {
    std::string folder;  // as the platform reports it
    std::string name;    // file name, with or without extension
    bool windowsProgram = true;
};
ProgramLocation RunningProgram();
// A Windows program: "<folder>\<name>.exe" in quotes, then " /<operator> %1". A Linux program
// (started by Wine): "<folder>\<name>" in quotes, then " /<operator> "%1"".
std::string VerbCommandLine(const platform::Registry& registry, const ProgramLocation& program,
                            std::string_view op);
// "Registered N of 6"; returns N.
int RegisterShellVerbs(Session& session, platform::Registry& registry,
                       const ProgramLocation& program);
// "removed N of 6"; returns N.
int RemoveShellVerbs(Session& session, platform::Registry& registry);

// The registry window's utilities for K-vex, the other pod manager.
void ClearKvexStartup(Session& session, platform::Registry& registry);
void ResetKvexPosition(Session& session, platform::Registry& registry);

}  // namespace marvok::mMyRegStuff
