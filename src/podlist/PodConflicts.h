#pragma once
// Inner files that more than one mounted pod carries. Which copy the game uses is not known
// here: pods are only given in mount order.

#include <atomic>
#include <cstddef>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "podlist/PodArchive.h"

namespace marvok {

class Session;

struct SharedInnerFile {
    std::string path;               // as the first pod carrying it spells it
    std::vector<std::size_t> pods;  // positions in the scanned list, in mount order
};

struct SkippedPod {
    std::size_t pod;      // position in the scanned list
    std::string problem;  // why it could not be read
};

struct PodConflicts {
    std::vector<SharedInnerFile> shared;   // in the order their first carriers name them
    std::vector<std::size_t> sharedFiles;  // per pod: its inner files another pod carries too
    std::vector<SkippedPod> skipped;       // damaged or unreadable pods, in mount order
    bool cancelled = false;                // stopped early: the rest is incomplete
};

// Reads each pod's entry table (full paths, mount order) and compares inner paths ignoring
// case. cancel is looked at before each pod, so another thread can abandon the scan.
PodConflicts ScanPodConflicts(const platform::FileSystem& fs,
                              const std::vector<std::string>& podPaths,
                              const std::atomic<bool>& cancel);

// The full paths of the mounted pods in mount order, in either presentation.
std::vector<std::string> MountedPodPaths(const Session& session);

}  // namespace marvok
