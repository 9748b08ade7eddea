// Measures pod discovery against find(1) on one generated tree, and the list operations at 1,000
// and 10,000 pods. Usage: marvok_bench_discovery [work folder]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

#include "BenchGame.h"
#include "BenchStandIns.h"
#include "common/Session.h"
#include "platform/FileSystem.h"
#include "podlist/mAvailablePods.h"
#include "podlist/mPodini.h"

namespace fs = std::filesystem;
using namespace marvok;

namespace {

using bench::MemorySettings;
using bench::SilentUser;

void Touch(const fs::path& path) { std::ofstream(path).put('\0'); }

// A tree of depth 6: folders of 6 sub-folders at each level, files in every folder, every
// twentieth file a pod. Returns the number of files and folders made.
long Grow(const fs::path& folder, int level, long& counter) {
    fs::create_directories(folder);
    long made = 0;
    for (int f = 0; f < 10; ++f) {
        const long n = counter++;
        Touch(folder / (n % 20 == 0 ? "Pod" + std::to_string(n) + ".POD"
                                    : "file" + std::to_string(n) + ".dat"));
        ++made;
    }
    if (level < 6) {
        for (int d = 0; d < 6; ++d) {
            made += 1 + Grow(folder / ("Folder" + std::to_string(d)), level + 1, counter);
        }
    }
    return made;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double Seconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

struct Setup {
    std::unique_ptr<platform::FileSystem> files;
    MemorySettings settings;
    SilentUser user;
    std::unique_ptr<Session> session;

    explicit Setup(const fs::path& game) : files(platform::CreateFileSystem(game.string())) {
        session = std::make_unique<Session>(*files, settings, user);
        SetGamePaths(*session, game.string());
    }
};

void DiscoveryAgainstFind(const fs::path& work) {
    const fs::path tree = work / "tree";
    long entries = 0;
    if (!fs::exists(tree / "done")) {
        fs::remove_all(tree);
        long counter = 0;
        entries += Grow(tree / "game", 1, counter);
        entries += Grow(tree / "user1", 3, counter);
        entries += Grow(tree / "user2", 3, counter);
        Touch(tree / "done");
    }
    entries = std::distance(fs::recursive_directory_iterator(tree), fs::recursive_directory_iterator());

    std::size_t found = 0;
    std::vector<double> ours;
    std::vector<double> again;
    std::vector<double> theirs;
    const std::string findCommand = "find '" + tree.string() + "' -iname '*.pod' > /dev/null";
    for (int run = 0; run < 7; ++run) {
        // A new program reads every folder; a second Refresh reads only the folders that changed.
        Setup setup(tree / "game");
        setup.session->UserPaths[0] = (tree / "user1").string();
        setup.session->UserPaths[2] = (tree / "user2").string();
        ours.push_back(Seconds([&] {
            mAvailablePods::RefreshAvailablePods(*setup.session);
            found = setup.session->List2.Count();
        }));
        again.push_back(Seconds([&] { mAvailablePods::RefreshAvailablePods(*setup.session); }));
        theirs.push_back(Seconds([&] {
            if (std::system(findCommand.c_str()) != 0) {
                std::cerr << "find failed\n";
            }
        }));
    }
    const double a = Median(ours);
    const double b = Median(theirs);
    std::printf("discovery: %ld files and folders, %zu pods found\n", entries, found);
    std::printf("  marvok %.1f ms, find %.1f ms, ratio %.2f (target <= 1.5)\n", a * 1e3, b * 1e3,
                a / b);
    std::printf("  again, nothing changed: %.1f ms\n", Median(again) * 1e3);
}

void ListOperations(const fs::path& work, int pods) {
    const fs::path game = work / ("list-" + std::to_string(pods));
    fs::remove_all(game);
    fs::create_directories(game / "pods");
    std::string list = std::to_string(pods + pods / 10) + "\r\n";
    for (int i = 0; i < pods; ++i) {
        const std::string number = std::to_string(i);
        Touch(game / "pods" / ("p" + number + ".pod"));
        list.append("pods\\p").append(number).append(".pod\r\n");
    }
    for (int i = 0; i < pods / 10; ++i) {  // repeats in another letter case
        list.append("PODS\\P").append(std::to_string(i)).append(".POD\r\n");
    }
    std::ofstream(game / "pod.ini", std::ios::binary) << list;
    bench::Settle(game);

    Setup setup(game);
    Session& s = *setup.session;
    s.PodLimit = static_cast<short>(pods + pods / 10);  // the limit is raised for the benchmark
    const double load = Seconds([&] { mPodini::LoadPodList(s, ""); });
    const std::size_t loaded = s.List1.Count();
    const double save = Seconds([&] { mPodini::SavePodList(s, ""); });
    s.List1.Clear();
    const double discover = Seconds([&] { mAvailablePods::RefreshAvailablePods(s); });
    std::printf("%5d pods: load+dedup %.2f ms (%zu kept), save %.2f ms, discovery into List2 %.2f ms "
                "(%zu)\n",
                pods, load * 1e3, loaded, save * 1e3, discover * 1e3, s.List2.Count());
    fs::remove_all(game);
}

}  // namespace

int main(int argc, char** argv) {
    const fs::path work =
        fs::absolute(argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path() / "marvok-bench");
    fs::create_directories(work);
    DiscoveryAgainstFind(work);
    std::printf("list operations (should grow about tenfold from 1,000 to 10,000):\n");
    ListOperations(work, 1000);
    ListOperations(work, 10000);
    return 0;
}
