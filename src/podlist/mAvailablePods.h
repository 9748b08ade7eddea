#pragma once
// Pod discovery: the .pod files of the game folder tree and of the user folders that the
// mounted list does not hold.

#include <optional>
#include <string>
#include <string_view>

#include "common/Session.h"

namespace marvok::mAvailablePods {

enum class ScanKind { Game, User };

// Rebuilds the unmounted list (List2, or the unchecked tail of List3), the counts and
// session.Unmountable.
void RefreshAvailablePods(Session& session);
void ScanPodFolder(Session& session, ScanKind kind, const std::string& folder, int level);
// What precedes a pod's name in the entries of pods found in folder ("" for the game folder
// itself); nullopt for a user folder without the space-free form the game needs.
std::optional<std::string> EntryFolder(Session& session, ScanKind kind, const std::string& folder);
// entryFolder: EntryFolder of folder, formed once per folder. A pod the game cannot mount goes to
// session.Unmountable with its reason.
void AddAvailablePod(Session& session, ScanKind kind, const std::string& folder,
                     const std::string& name, const std::optional<std::string>& entryFolder);

}  // namespace marvok::mAvailablePods
