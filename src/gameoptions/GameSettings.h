#pragma once
// The game's own options in system\Monster.ini: seventeen keys of the sections "Fonts" and
// "Game", read and written with the private-profile rules on every platform.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "platform/FileSystem.h"

namespace marvok::gameoptions {

inline constexpr std::size_t kGameSettingCount = 17;
// What a key that the file does not hold reads as.
inline constexpr std::string_view kMissingValue = "Empty";

using GameSettingValues = std::array<std::string, kGameSettingCount>;

// The key names, index 0 to 16.
const std::array<std::string_view, kGameSettingCount>& GameSettingKeys();
// "Fonts" for indexes 0 to 13, "Game" for 14 to 16.
std::string_view SettingsSection(std::size_t index);

// Every value of the file at path, trimmed; "Empty" for what the file (or the file itself) lacks.
GameSettingValues ReadGameSettings(const platform::FileSystem& fs, std::string_view path);

// Writes the seventeen values in index order into the file at path (created when missing; its
// folder is not). The file is replaced whole: on failure it stays as it was. Returns the empty
// text on success, else the reason.
std::string WriteGameSettings(platform::FileSystem& fs, std::string_view path,
                              const GameSettingValues& values);

}  // namespace marvok::gameoptions
