#include "ui/ConflictWatcher.h"

namespace marvok::ui {

ConflictWatcher::ConflictWatcher(FileSystemFactory makeFileSystem, QObject* parent)
    : QObject(parent), makeFileSystem_(std::move(makeFileSystem)) {}

ConflictWatcher::~ConflictWatcher() {
    {
        const std::lock_guard lock(mutex_);
        stop_ = true;
        cancel_ = true;
    }
    wake_.notify_one();
    if (worker_.joinable()) {
        worker_.join();
    }
}

std::uint64_t ConflictWatcher::Request(std::vector<std::string> podPaths) {
    const std::uint64_t generation = requested_ + 1;
    {
        const std::lock_guard lock(mutex_);
        requested_ = generation;
        pending_ = Job{generation, std::move(podPaths)};
        cancel_ = true;  // the scan under way, if any, is for an older list
    }
    wake_.notify_one();
    // The thread starts with the first request: nothing runs before the window needs it.
    if (!worker_.joinable()) {
        worker_ = std::thread([this] { Work(); });
    }
    return generation;
}

void ConflictWatcher::Work() {
    const std::unique_ptr<platform::FileSystem> fs = makeFileSystem_();
    for (;;) {
        Job job;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stop_ || pending_.has_value(); });
            if (stop_) {
                return;
            }
            job = std::move(*pending_);
            pending_.reset();
            cancel_ = false;
        }
        PodConflicts found = ScanPodConflicts(*fs, job.podPaths, cancel_);
        if (found.cancelled || job.generation != requested_) {
            continue;
        }
        QMetaObject::invokeMethod(
            this,
            [this, generation = job.generation, found = std::move(found)]() mutable {
                Deliver(generation, std::move(found));
            },
            Qt::QueuedConnection);
    }
}

void ConflictWatcher::Deliver(std::uint64_t generation, PodConflicts found) {
    // A request made after this scan finished outdates it.
    if (generation != requested_) {
        return;
    }
    latest_ = std::move(found);
    delivered_ = generation;
    emit Found(generation);
}

}  // namespace marvok::ui
