#include "common/NotMounted.h"

#include <algorithm>

#include "common/Text.h"

namespace marvok {

std::string_view NotMountedReasonText(NotMountedReason reason) {
    switch (reason) {
        case NotMountedReason::FileNotFound:
            return "file not found";
        case NotMountedReason::EmptyEntry:
            return "an empty entry";
        case NotMountedReason::BlankInName:
            return "a blank in its name";
        case NotMountedReason::BlankInFolder:
            return "in a folder with a blank in its name";
        case NotMountedReason::UnwritableName:
            return "a character the list cannot hold in its name";
        case NotMountedReason::Repeat:
            return "a repeat of an earlier entry";
        case NotMountedReason::BeyondPodLimit:
            return "beyond the pod limit";
        case NotMountedReason::NoShortFolderName:
            return "in a folder without a short name the game can use";
    }
    return {};
}

std::vector<std::string> LoadReport::Lines(std::string_view quote) const {
    std::vector<std::string> lines;
    lines.reserve(entries.size() + 1);
    for (const NotMountedEntry& e : entries) {
        lines.push_back(std::string(quote) + e.entry + std::string(quote) + ": " +
                        std::string(NotMountedReasonText(e.reason)));
    }
    if (unnamedBeyondLimit > 0) {
        lines.push_back("and " + std::to_string(unnamedBeyondLimit) + " more: " +
                        std::string(NotMountedReasonText(NotMountedReason::BeyondPodLimit)));
    }
    return lines;
}

long long LoadReport::CountOf(NotMountedReason reason) const {
    const auto named = std::count_if(entries.begin(), entries.end(),
                                     [reason](const auto& e) { return e.reason == reason; });
    return named + (reason == NotMountedReason::BeyondPodLimit ? unnamedBeyondLimit : 0);
}

void UnmountablePods::Clear() {
    entries_.clear();
    index_.clear();
}

void UnmountablePods::Add(std::string entry, NotMountedReason reason) {
    if (index_.try_emplace(text::LowerCase(entry), entries_.size()).second) {
        entries_.push_back({std::move(entry), reason});
    }
}

const NotMountedEntry* UnmountablePods::Find(std::string_view entry) const {
    const auto it = index_.find(text::LowerCase(entry));
    return it == index_.end() ? nullptr : &entries_[it->second];
}

}  // namespace marvok
