// Measures the start-up work done before the main window shows (preferences, game version,
// pod.ini, discovery) on a game folder holding 2,000 pods, and, when the windows are built, the
// window's own work (building it, showing the lists, one click) at 2,000, 4,000 and 8,000 pods.
// Usage: marvok_bench_startup [work folder]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/Startup.h"
#include "BenchStandIns.h"
#include "platform/FileSystem.h"
#include "platform/SettingsStore.h"
#include "podlist/Session.h"

#ifdef MARVOK_BENCH_WINDOW
#include <QApplication>
#include <QListWidget>

#include "podlist/Desktop.h"
#include "ui/Form1.h"
#endif

namespace fs = std::filesystem;
using namespace marvok;

namespace {

using bench::MemorySettings;
using bench::SilentUser;

void Touch(const fs::path& path, std::uintmax_t size = 1) {
    std::ofstream(path).put('P');
    if (size > 1) {
        fs::resize_file(path, size);
    }
}

// A patched game with pods: a quarter in the game folder, the rest in sub-folders of 50, plus
// the 100 that pod.ini mounts; and a user pod folder with a few more.
fs::path MakeGame(const fs::path& work, int pods) {
    const fs::path game = work / ("game-" + std::to_string(pods));
    fs::remove_all(game);
    fs::create_directories(game / "system");
    Touch(game / "monster.exe", 2925568);
    Touch(game / "system" / "Monster.ini");
    std::string list = "100\r\n";
    for (int i = 0; i < pods; ++i) {
        const std::string name = "pod" + std::to_string(i) + ".pod";
        if (i < pods / 4) {
            Touch(game / name);
            if (i < 100) {
                list += name + "\r\n";
            }
        } else {
            const std::string folder = "addons" + std::to_string(i / 50);
            fs::create_directories(game / folder);
            Touch(game / folder / name);
        }
    }
    std::ofstream(game / "pod.ini", std::ios::binary) << list;
    // Pods lie on disk before Marvok starts; a folder changed a moment ago is read afresh.
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    return game;
}

double Seconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

struct Run {
    explicit Run(const fs::path& game) : files(platform::CreateFileSystem(game.string())) {
        session = std::make_unique<Session>(*files, settings, user);
    }
    std::unique_ptr<platform::FileSystem> files;
    MemorySettings settings;
    SilentUser user;
    std::unique_ptr<Session> session;
};

void StartupBeforeTheWindow(const fs::path& work) {
    const fs::path game = MakeGame(work, 2000);
    std::vector<double> times;
    std::size_t mounted = 0;
    std::size_t unmounted = 0;
    for (int i = 0; i < 9; ++i) {
        Run run(game);
        times.push_back(Seconds([&] { Startup::FormLoad(*run.session, game.string(), {}); }));
        mounted = run.session->List1.Count();
        unmounted = run.session->List2.Count();
    }
    std::sort(times.begin(), times.end());
    std::printf("start-up before the window, 2,000 pods (%zu mounted, %zu found unmounted):\n",
                mounted, unmounted);
    std::printf("  median %.1f ms (fastest %.1f ms, slowest %.1f ms, 9 runs)\n",
                times[times.size() / 2] * 1e3, times.front() * 1e3, times.back() * 1e3);
    fs::remove_all(game);
}

#ifdef MARVOK_BENCH_WINDOW
class NoDesktop final : public Desktop {
public:
    bool SetClipboardText(std::string_view) override { return true; }
    std::string StartDetached(const LaunchCommand&) override { return {}; }
    std::string OpenWithDefaultProgram(std::string_view) override { return {}; }
    void MinimizeMainWindow() override {}
    void RestoreMainWindow() override {}
    void CloseMainWindow() override {}
};

void WindowWork(const fs::path& work) {
    std::printf("the window's own work (should grow about in proportion to the pods):\n");
    // The first window pays for loading fonts and styles: a warm-up round is not reported.
    bool warmUp = true;
    for (int pods : {2000, 2000, 4000, 8000}) {
        const fs::path game = MakeGame(work, pods);
        Run run(game);
        Startup::FormLoad(*run.session, game.string(), {});
        NoDesktop desktop;
        std::unique_ptr<ui::Form1> form;
        const double build = Seconds([&] {
            form = std::make_unique<ui::Form1>(*run.session, desktop);
            form->show();
            QCoreApplication::processEvents();
        });
        auto* list2 = form->findChild<QListWidget*>(QStringLiteral("List2"));
        auto* list1 = form->findChild<QListWidget*>(QStringLiteral("List1"));
        // Unmount then mount again: each click moves one pod and shows both lists again.
        const double clicks = Seconds([&] {
            for (int i = 0; i < 10; ++i) {
                emit list1->itemClicked(list1->item(0));
                emit list2->itemClicked(list2->item(list2->count() / 2));
                QCoreApplication::processEvents();
            }
        });
        if (!warmUp) {
            std::printf("  %5d pods: window built and shown %.1f ms, one click %.2f ms\n", pods,
                        build * 1e3, clicks / 20 * 1e3);
        }
        warmUp = false;
        form.reset();
        fs::remove_all(game);
    }
}
#endif

}  // namespace

int main(int argc, char** argv) {
    const fs::path work =
        fs::absolute(argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path() / "marvok-bench");
    fs::create_directories(work);
    StartupBeforeTheWindow(work);
#ifdef MARVOK_BENCH_WINDOW
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    WindowWork(work);
#endif
    return 0;
}
