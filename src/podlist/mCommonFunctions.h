#pragma once
// The main window's list routines, the game version detection and the start-up preferences.

#include <cstdint>
#include <string_view>

#include "common/Session.h"

namespace marvok::podlist::mCommonFunctions {

// Quicksorts positions first..last (inclusive) on the lowercased entries; entries outside stay.
void SortPodRange(ListBox& list, long first, long last);
// Moves the entry at position from source to target; mode "checkLimit" refuses at the pod limit.
void MovePod(Session& session, std::size_t position, ListBox& source, ListBox& target,
             std::string_view mode);
void UpdatePodCounts(Session& session);
// "<GameVersion> pod limit is <PodLimit> pods", titled "Pod Limit".
void ShowPodLimitMessage(Session& session);

// Finds the game executable, tells the edition by its size, sets the pod limit and disables the
// commands the game cannot use.
void DetectGameVersion(Session& session);
// The edition for an executable of this size ("Unknown" when none matches).
std::string_view GameVersionForSize(std::uint64_t size);

// Reads the preferences and applies them to the window's state.
void LoadPreferences(Session& session);
// Stores one preference; a failed write is shown to the user.
bool WritePreference(Session& session, std::string_view section, std::string_view key,
                     std::string_view value);

}  // namespace marvok::podlist::mCommonFunctions
