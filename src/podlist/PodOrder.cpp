#include "podlist/PodOrder.h"

#include <algorithm>

namespace marvok::podorder {

std::optional<std::string> WhyNotReorder(const Session& session, std::size_t from, std::size_t to) {
    if (!session.SideBySide()) {
        return "The mount order is shown, and reordered, side by side (View \xE2\x80\xBA Side by "
               "Side, F8).";
    }
    const std::size_t count = session.List1.Count();
    if (from >= count || to >= count) {
        return to >= count && from < count ? std::string("It is the last mounted pod already.")
                                           : std::string("There is no such mounted pod.");
    }
    if (session.Sorting()) {
        const auto head = static_cast<std::size_t>(std::max<short>(session.KeepOnTop, 0));
        if (from >= head || to >= head) {
            return "Pod.ini is kept alphabetical after its first " + std::to_string(head) +
                   " entries: only those keep an order of their own (View \xE2\x80\xBA "
                   "Alphabetize Pod.ini).";
        }
    }
    return std::nullopt;
}

std::optional<std::string> ReorderMountedPod(Session& session, std::size_t from, std::size_t to) {
    if (auto why = WhyNotReorder(session, from, to)) {
        return why;
    }
    for (std::size_t at = from; at < to; ++at) {
        session.List1.Swap(at, at + 1);
    }
    for (std::size_t at = from; at > to; --at) {
        session.List1.Swap(at, at - 1);
    }
    return std::nullopt;
}

namespace {

std::size_t Mounted(const Session& session) {
    return session.SideBySide() ? session.List1.Count() : session.List3.CheckedCount();
}

}  // namespace

std::string MountCountText(const Session& session) {
    const std::size_t mounted = Mounted(session);
    return std::to_string(mounted) + " of " + std::to_string(session.PodLimit) + " pods mounted (" +
           session.GameVersion + ")";
}

bool AtPodLimit(const Session& session) {
    return Mounted(session) >= static_cast<std::size_t>(std::max<short>(session.PodLimit, 0));
}

}  // namespace marvok::podorder
