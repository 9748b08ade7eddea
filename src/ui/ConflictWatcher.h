#pragma once
// Looks for inner files shared by mounted pods on a worker thread, so that reading hundreds of
// archives never holds up the window. Each request abandons the one before; only the latest
// request's result is delivered, in the GUI thread.

#include <QObject>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/FileSystem.h"
#include "podlist/PodConflicts.h"

namespace marvok::ui {

class ConflictWatcher final : public QObject {
    Q_OBJECT
  public:
    // The worker reads through its own file system (the window's is not thread-safe), made in
    // the worker at the first request.
    using FileSystemFactory = std::function<std::unique_ptr<platform::FileSystem>()>;
    explicit ConflictWatcher(FileSystemFactory makeFileSystem, QObject* parent = nullptr);
    ~ConflictWatcher() override;

    // Scans these pods (full paths, mount order); returns the request's generation.
    std::uint64_t Request(std::vector<std::string> podPaths);
    // A request whose result has not arrived yet.
    bool Busy() const { return delivered_ != requested_; }
    // The latest delivered result and its generation (0: none yet).
    const PodConflicts& Latest() const { return latest_; }
    std::uint64_t LatestGeneration() const { return delivered_; }

  signals:
    void Found(quint64 generation);

  private:
    struct Job {
        std::uint64_t generation = 0;
        std::vector<std::string> podPaths;
    };
    void Work();
    void Deliver(std::uint64_t generation, PodConflicts found);

    FileSystemFactory makeFileSystem_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::optional<Job> pending_;  // guarded by mutex_
    bool stop_ = false;           // guarded by mutex_
    std::atomic<bool> cancel_{false};
    std::atomic<std::uint64_t> requested_{0};
    std::uint64_t delivered_ = 0;  // GUI thread only
    PodConflicts latest_;          // GUI thread only
    std::thread worker_;
};

}  // namespace marvok::ui
