// Whole-process start-up: from exec to the end of the main window's first paint, and the peak
// resident memory, for Marvok on generated game folders beside the floor program (an empty main
// window with two list widgets). Runs alternate between the two; medians are printed as ratios.
// Usage: marvok_bench_firstpaint [work folder]   (MARVOK_BENCH_HUGE=1 adds 100,000 pods,
// MARVOK_BENCH_VERBOSE=1 shows what the programs print on standard error,
// MARVOK_BENCH_BEFORE_EXE=<an earlier marvok> times it too, in the same alternation)

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "BenchGame.h"

namespace fs = std::filesystem;

namespace {

struct Sample {
    double milliseconds = 0;
    double peakMegabytes = 0;
};

long long NowNanoseconds() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Starts program in folder and waits for its first-paint report and its end.
std::optional<Sample> RunOnce(const fs::path& program, const char* argument,
                              const fs::path& folder) {
    int out[2];
    if (pipe(out) != 0) {
        return std::nullopt;
    }
    const long long start = NowNanoseconds();
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        close(out[1]);
        if (chdir(folder.c_str()) != 0) {
            _exit(126);
        }
        if (std::getenv("MARVOK_BENCH_VERBOSE") == nullptr) {
            const int null = open("/dev/null", O_WRONLY);
            dup2(null, STDERR_FILENO);
        }
        execl(program.c_str(), program.c_str(), argument, static_cast<char*>(nullptr));
        _exit(127);
    }
    close(out[1]);
    std::string text;
    char buffer[256];
    for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;) {
        text.append(buffer, static_cast<std::size_t>(n));
    }
    close(out[0]);
    int status = 0;
    rusage usage{};
    if (pid < 0 || wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0) {
        return std::nullopt;
    }
    const auto at = text.find("first-paint ");
    if (at == std::string::npos) {
        return std::nullopt;
    }
    const long long painted = std::atoll(text.c_str() + at + 12);
    return Sample{static_cast<double>(painted - start) / 1e6,
                  static_cast<double>(usage.ru_maxrss) / 1024.0};
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    const fs::path work =
        fs::absolute(argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path() / "marvok-bench") /
        "firstpaint";
    fs::create_directories(work / "xdg");
    // Neither program may read or write the user's own settings, nor wait for a display.
    setenv("XDG_CONFIG_HOME", (work / "xdg").c_str(), 1);
    setenv("XDG_DATA_HOME", (work / "xdg").c_str(), 1);
    setenv("QT_QPA_PLATFORM",
           std::getenv("QT_QPA_PLATFORM") ? std::getenv("QT_QPA_PLATFORM") : "offscreen", 0);
    setenv("MARVOK_EXIT_AT_FIRST_PAINT", "1", 1);

    struct Goal {
        int pods;
        double time;
        double memory;  // 0: none set
    };
    std::vector<Goal> goals = {{20, 1.15, 0}, {2000, 1.3, 1.2}, {20000, 1.6, 0}};
    if (std::getenv("MARVOK_BENCH_HUGE") != nullptr) {
        goals.push_back({100000, 0, 0});
    }
    const int runs = 11;
    const char* beforeExe = std::getenv("MARVOK_BENCH_BEFORE_EXE");
    const int programs = beforeExe != nullptr && *beforeExe != '\0' ? 4 : 3;
    std::printf(
        "exec to first paint and peak memory, Marvok beside an empty two-list window\n"
        "(medians of %d alternating runs, QT_QPA_PLATFORM=%s)\n",
        runs, std::getenv("QT_QPA_PLATFORM"));
    std::printf("  %7s %10s %10s %7s %6s %9s %9s %7s %6s\n", "pods", "marvok", "floor", "ratio",
                "goal", "marvok", "floor", "ratio", "goal");
    bool withinGoals = true;
    for (const Goal& goal : goals) {
        const fs::path game = marvok::bench::MakeGame(work, goal.pods);
        // The game folder is the program's own folder.
        const fs::path marvok = game / "marvok";
        fs::copy_file(MARVOK_EXE, marvok, fs::copy_options::overwrite_existing);
        const fs::path before = game / "marvok-before";
        if (programs == 4) {
            fs::copy_file(beforeExe, before, fs::copy_options::overwrite_existing);
        }
        std::vector<double> times[4];
        std::vector<double> memory[4];
        for (int i = 0; i < (goal.pods >= 100000 ? 3 : runs); ++i) {
            for (int which = 0; which < programs; ++which) {
                const fs::path program = which == 0   ? marvok
                                         : which == 3 ? before
                                                      : fs::path(FLOOR_EXE);
                const auto sample = RunOnce(program, which == 2 ? "--text" : nullptr, game);
                if (!sample) {
                    std::fprintf(stderr, "%s did not report its first paint\n",
                                 program.filename().c_str());
                    return 1;
                }
                times[which].push_back(sample->milliseconds);
                memory[which].push_back(sample->peakMegabytes);
            }
        }
        const double timeRatio = Median(times[0]) / Median(times[1]);
        const double memoryRatio = Median(memory[0]) / Median(memory[1]);
        const auto goalText = [](double g) {
            return g > 0 ? "<=" + std::to_string(g).substr(0, 4) : std::string("-");
        };
        std::printf("  %7d %7.1f ms %7.1f ms %6.2fx %6s %6.1f MB %6.1f MB %6.2fx %6s\n", goal.pods,
                    Median(times[0]), Median(times[1]), timeRatio, goalText(goal.time).c_str(),
                    Median(memory[0]), Median(memory[1]), memoryRatio,
                    goalText(goal.memory).c_str());
        // What drawing any text costs (fonts found and loaded), which the empty window does not.
        std::printf("  %7s the empty window with one menu title: %.1f ms (%.2fx), %.1f MB (%.2fx)\n",
                    "", Median(times[2]), Median(times[2]) / Median(times[1]), Median(memory[2]),
                    Median(memory[2]) / Median(memory[1]));
        if (programs == 4) {
            std::printf("  %7s marvok vs the earlier build: %.1f ms vs %.1f ms, %.3fx; %.1f MB vs "
                        "%.1f MB, %.3fx\n",
                        "", Median(times[0]), Median(times[3]), Median(times[0]) / Median(times[3]),
                        Median(memory[0]), Median(memory[3]),
                        Median(memory[0]) / Median(memory[3]));
        }
        withinGoals = withinGoals && (goal.time == 0 || timeRatio <= goal.time) &&
                      (goal.memory == 0 || memoryRatio <= goal.memory);
        fs::remove_all(game);
    }
    std::printf("  %s\n", withinGoals ? "all within goal" : "NOT all within goal");
    return 0;
}
