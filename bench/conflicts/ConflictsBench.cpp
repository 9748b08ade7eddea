// Times ScanPodConflicts over 1,000 and 2,000 generated POD1 archives of 100 inner files each,
// with no file shared and with every pod carrying the same 100 files, and prints how the time
// grows from 1,000 to 2,000 pods (a linear scan doubles).
// Usage: marvok_bench_conflicts [work folder]

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/FileSystem.h"
#include "podlist/PodConflicts.h"

namespace fs = std::filesystem;
using namespace marvok;

namespace {

constexpr int kFilesPerPod = 100;

void Put(std::string& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        out += static_cast<char>((value >> (8 * i)) & 0xff);
    }
}

// A POD1 archive naming these inner files (each of 16 bytes, payload after the table).
std::string Pod(const std::vector<std::string>& paths) {
    std::string out;
    Put(out, static_cast<std::uint32_t>(paths.size()));
    out += std::string("Bench pod").append(80 - 9, '\0');
    const auto table = static_cast<std::uint32_t>(84 + 40 * paths.size());
    for (std::size_t i = 0; i < paths.size(); ++i) {
        std::string name = paths[i];
        name.resize(32, '\0');
        out += name;
        Put(out, 16);
        Put(out, table + static_cast<std::uint32_t>(16 * i));
    }
    return out.append(16 * paths.size(), 'x');
}

std::vector<std::string> MakePods(const fs::path& work, int pods, bool shared) {
    const fs::path folder = work / ("conflicts-" + std::to_string(pods) + (shared ? "-s" : "-u"));
    fs::remove_all(folder);
    fs::create_directories(folder);
    std::vector<std::string> paths;
    for (int p = 0; p < pods; ++p) {
        std::vector<std::string> inner;
        for (int f = 0; f < kFilesPerPod; ++f) {
            inner.push_back(shared
                                ? "ART\\SHARED" + std::to_string(f) + ".BMP"
                                : "ART\\P" + std::to_string(p) + "F" + std::to_string(f) + ".BMP");
        }
        const fs::path file = folder / ("pod" + std::to_string(p) + ".pod");
        std::ofstream(file, std::ios::binary) << Pod(inner);
        paths.push_back(file.string());
    }
    return paths;
}

double MedianMs(const std::vector<std::string>& paths, std::size_t& sharedFiles) {
    const auto files = platform::CreateFileSystem(fs::path(paths.front()).parent_path().string());
    const std::atomic<bool> cancel{false};
    std::vector<double> times;
    for (int run = 0; run < 7; ++run) {
        const auto start = std::chrono::steady_clock::now();
        const PodConflicts found = ScanPodConflicts(*files, paths, cancel);
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
        sharedFiles = found.shared.size();
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    const fs::path work = argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path() / "marvok-bench";
    for (const bool shared : {false, true}) {
        double previous = 0;
        for (const int pods : {1000, 2000}) {
            const std::vector<std::string> paths = MakePods(work, pods, shared);
            std::this_thread::sleep_for(std::chrono::milliseconds(200));  // as BenchGame: settled
            std::size_t found = 0;
            const double ms = MedianMs(paths, found);
            const double entries = static_cast<double>(pods) * kFilesPerPod;
            std::printf("%d pods x %d files, %s: %.1f ms (%.2f us per entry; %zu paths shared)",
                        pods, kFilesPerPod, shared ? "all share the same 100" : "none shared", ms,
                        ms * 1e3 / entries, found);
            if (previous > 0) {
                std::printf("; 2000/1000: %.2fx (linear: 2.0x)", ms / previous);
            }
            std::printf("\n");
            previous = ms;
            fs::remove_all(fs::path(paths.front()).parent_path());
        }
    }
    return 0;
}
