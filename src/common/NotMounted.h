#pragma once
// Why a pod is not mounted: the entries a loaded list dropped, and the pods found on disk that
// the game could not mount.

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace marvok {

enum class NotMountedReason {
    FileNotFound,
    EmptyEntry,
    BlankInName,
    BlankInFolder,
    UnwritableName,  // a character the list cannot hold
    Repeat,          // of an earlier entry, ignoring case
    BeyondPodLimit,
    NoShortFolderName,  // a user folder without a space-free form
};

// The reason as the user reads it ("file not found").
std::string_view NotMountedReasonText(NotMountedReason reason);

struct NotMountedEntry {
    std::string entry;  // as the list or the disk gives it
    NotMountedReason reason;
    bool operator==(const NotMountedEntry&) const = default;
};

// The entries of the last list loaded into the lists that were not mounted, in list order.
struct LoadReport {
    std::string source;  // the list read
    std::vector<NotMountedEntry> entries;
    // Entries past the pod limit beyond those named, when a list holds very many.
    long long unnamedBeyondLimit = 0;

    long long Count() const { return static_cast<long long>(entries.size()) + unnamedBeyondLimit; }
    long long CountOf(NotMountedReason reason) const;
    // One line per entry, in list order: the entry as it stands in the list, quoted as quote
    // says, then ": " and the reason; "and N more: beyond the pod limit" for those not named.
    std::vector<std::string> Lines(std::string_view quote = "") const;
};

// Pods found on disk that the game cannot mount, each once (ignoring case). Some are still
// listed (a blank in a folder of the game's own tree); a view looks them up to mark them.
class UnmountablePods {
  public:
    void Clear();
    void Add(std::string entry, NotMountedReason reason);
    const std::vector<NotMountedEntry>& Entries() const { return entries_; }
    // The entry ignoring case, or null.
    const NotMountedEntry* Find(std::string_view entry) const;

  private:
    std::vector<NotMountedEntry> entries_;
    std::unordered_map<std::string, std::size_t> index_;  // lowered entry -> position
};

}  // namespace marvok
