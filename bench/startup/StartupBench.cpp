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

#include "BenchGame.h"
#include "BenchStandIns.h"
#include "app/Startup.h"
#include "common/Session.h"
#include "platform/FileSystem.h"
#include "platform/SettingsStore.h"

#ifdef MARVOK_BENCH_WINDOW
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QListView>

#include "common/Desktop.h"
#include "ui/Form1.h"
#endif

namespace fs = std::filesystem;
using namespace marvok;

namespace {

using bench::MakeGame;
using bench::MemorySettings;
using bench::SilentUser;

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

double Median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void WindowWork(const fs::path& work) {
    std::printf("the window's own work (medians; should grow about in proportion to the pods):\n");
    // The first window pays for loading fonts and styles: a warm-up round is not reported.
    bool warmUp = true;
    for (int pods : {2000, 2000, 4000, 8000, 20000}) {
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
        auto* list1 = form->findChild<QListView*>(QStringLiteral("List1"));
        auto* list2 = form->findChild<QListView*>(QStringLiteral("List2"));
        auto* view = form->findChild<QAction*>(QStringLiteral("menuViewmode"));
        // Each step is one command and the window painting its result.
        const auto step = [](const std::function<void()>& command) {
            return Seconds([&] {
                command();
                QCoreApplication::processEvents();
            });
        };
        std::vector<double> moves;
        std::vector<double> refreshes;
        std::vector<double> switches;
        std::vector<double> keystrokes;
        auto* filter = form->findChild<QLineEdit*>(QStringLiteral("filterBox"));
        // Typing "pod1" letter by letter, then clearing it: each change filters both lists.
        for (int i = 0; i < 3; ++i) {
            for (const char* typed : {"p", "po", "pod", "pod1", ""}) {
                keystrokes.push_back(
                    step([&] { filter->setText(QString::fromLatin1(typed)); }));
            }
        }
        for (int i = 0; i < 9; ++i) {
            // Unmount then mount again: each click moves one pod.
            moves.push_back(step([&] { emit list1->clicked(list1->model()->index(0, 0)); }));
            moves.push_back(step([&] {
                emit list2->clicked(list2->model()->index(list2->model()->rowCount() / 2, 0));
            }));
            refreshes.push_back(step([&] { form->Refresh(); }));
            switches.push_back(step([&] { view->trigger(); }));
            switches.push_back(step([&] { view->trigger(); }));
        }
        if (!warmUp) {
            std::printf(
                "  %5d pods: window built and shown %.1f ms, a move %.2f ms, Refresh %.1f ms, "
                "switch of presentation %.1f ms, a keystroke in the filter %.1f ms\n",
                pods, build * 1e3, Median(moves) * 1e3, Median(refreshes) * 1e3,
                Median(switches) * 1e3, Median(keystrokes) * 1e3);
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
