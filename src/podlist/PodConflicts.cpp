#include "podlist/PodConflicts.h"

#include <unordered_map>

#include "common/Session.h"
#include "common/Text.h"
#include "shell/mCommonFunctions.h"

namespace marvok {
namespace {

// One pass over every inner file: a map from the folded path to the pods carrying it.
class ConflictIndex {
  public:
    explicit ConflictIndex(std::size_t pods) { result_.sharedFiles.assign(pods, 0); }

    void Add(std::size_t pod, const PodArchive& archive) {
        if (!archive.Sound()) {
            result_.skipped.push_back({pod, archive.problem});
            return;
        }
        for (const auto& file : archive.files) {
            auto [it, added] = index_.try_emplace(text::LowerCase(file.path), carriers_.size());
            if (added) {
                carriers_.push_back({file.path, {}});
            }
            auto& pods = carriers_[it->second].pods;
            // An archive naming one file twice does not share it with itself.
            if (pods.empty() || pods.back() != pod) {
                pods.push_back(pod);
            }
        }
    }

    PodConflicts Finish(bool cancelled) {
        for (auto& carrier : carriers_) {
            if (carrier.pods.size() < 2) {
                continue;
            }
            for (std::size_t pod : carrier.pods) {
                ++result_.sharedFiles[pod];
            }
            result_.shared.push_back(std::move(carrier));
        }
        result_.cancelled = cancelled;
        return std::move(result_);
    }

  private:
    std::unordered_map<std::string, std::size_t> index_;
    std::vector<SharedInnerFile> carriers_;
    PodConflicts result_;
};

}  // namespace

PodConflicts ScanPodConflicts(const platform::FileSystem& fs,
                              const std::vector<std::string>& podPaths,
                              const std::atomic<bool>& cancel) {
    ConflictIndex index(podPaths.size());
    for (std::size_t pod = 0; pod < podPaths.size(); ++pod) {
        if (cancel.load(std::memory_order_relaxed)) {
            return index.Finish(true);
        }
        index.Add(pod, ReadPodArchive(fs, podPaths[pod], PodRead::Entries));
    }
    return index.Finish(false);
}

std::vector<std::string> MountedPodPaths(const Session& session) {
    std::vector<std::string> paths = MountedEntries(session);
    for (std::string& path : paths) {
        path = shell::mCommonFunctions::FullPath(session.fs, session.GameFolder, path);
    }
    return paths;
}

}  // namespace marvok
