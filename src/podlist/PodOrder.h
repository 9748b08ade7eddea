#pragma once
// Reordering the mounted pods (the mount order of List1), and the live count of the status line.

#include <cstddef>
#include <optional>
#include <string>

#include "common/Session.h"

namespace marvok::podorder {

// Why the mounted pod at from cannot be put at to, or nothing when it can: only the side by side
// view shows the mount order, and with Pod.ini kept alphabetical only the head entries that sorting
// leaves in place keep an order of their own.
std::optional<std::string> WhyNotReorder(const Session& session, std::size_t from, std::size_t to);

// Puts the mounted pod at from at position to, the others closing up; answers why not instead.
std::optional<std::string> ReorderMountedPod(Session& session, std::size_t from, std::size_t to);

// "27 of 30 pods mounted (MTM2 Unpatched)".
std::string MountCountText(const Session& session);
bool AtPodLimit(const Session& session);

}  // namespace marvok::podorder
