// Marvok: manages the pods that Monster Truck Madness 2 mounts.

#include <QApplication>
#include <iostream>
#include <memory>
#include <system_error>
#include <thread>

#include "app/ConsoleUserInterface.h"
#include "app/Startup.h"
#include "app/mCommandLine.h"
#include "common/Session.h"
#include "platform/FileSystem.h"
#include "platform/Process.h"
#include "platform/Registry.h"
#include "platform/SettingsStore.h"
#include "platform/ShellFolders.h"
#include "ui/FirstPaint.h"
#include "ui/Form1.h"
#include "ui/QtDesktop.h"
#include "ui/QtUserInterface.h"
#include "ui/SecondaryWindows.h"

int main(int argc, char** argv) {
    using namespace marvok;
    const std::string programFolder = platform::ExecutableFolder();
    // A second Marvok in this game folder, whatever its file is called, ends before reading or
    // writing anything.
    const auto lock = platform::AcquireInstanceLock(programFolder);
    if (!lock) {
        std::cerr << "Marvok is already running.\n";
        return 3;
    }
    const platform::CommandLineInput commandLine = platform::ReadCommandLine(argc, argv);
    const auto fs = platform::CreateFileSystem(programFolder);
    const auto settings = platform::CreateSettingsStore(kAppTitle);

    // Installing a list from a plain shell must work without any display: no QApplication then.
    const bool windowSystem = platform::HasWindowSystem();
    ConsoleUserInterface console(std::cerr);
    ui::QtUserInterface dialogs;
    dialogs.SetNativePath([&fs](std::string_view path) { return fs->NativePath(path); });
    UserInterface* port = windowSystem ? static_cast<UserInterface*>(&dialogs) : &console;
    if (windowSystem && platform::CommandsReportOnStandardError()) {
        // A script that installs a list wants its answer in the text it reads, not a message box
        // that stops it until somebody clicks.
        Session probe(*fs, *settings, console);
        const std::string op = mCommandLine::ReadRequest(probe, commandLine).op;
        if (op == "install" || op == "desktop") {
            port = &console;
        }
    }

    // The game folder is read while the window system connects; what reading it asks the user
    // is asked on this thread, once the connection is made.
    Startup::UserInterfaceRelay relay(*port);
    Session session(*fs, *settings, relay);
    Startup::Services services = Startup::ShortcutServices(session);
    services.dataFolder = platform::CreateShellFolders()->SpecialFolder("AppData");
    const auto load = [&] {
        return Startup::FormLoad(session, programFolder, commandLine, services);
    };
    std::unique_ptr<QApplication> app;
    Startup::Result started;
    if (!windowSystem) {
        started = load();
    } else {
        // The fonts' configuration is read on a thread of its own, as the pods may take longer.
        std::jthread fonts;
        try {
            fonts = std::jthread(platform::PrepareFonts);
        } catch (const std::system_error&) {
            // Without the thread the toolkit reads the configuration itself.
        }
        started = relay.RunBeside(load, [&] {
            app = std::make_unique<QApplication>(argc, argv);
            QApplication::setApplicationName(ui::ToQString(kAppTitle));
            QApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                                    .arg(MARVOK_VERSION_MAJOR)
                                                    .arg(MARVOK_VERSION_MINOR)
                                                    .arg(MARVOK_VERSION_PATCH));
        });
    }
    if (!started.showWindow) {
        return started.exitCode;
    }
    if (!windowSystem || port == &console) {
        // An install or a shortcut needs no window: say what kept it from being done.
        const mCommandLine::Request request = mCommandLine::ReadRequest(session, commandLine);
        if ((request.op == "install" || request.op == "desktop") && !request.problem.empty()) {
            std::cerr << kAppTitle << ": " << request.problem << "\n";
            return 1;
        }
        std::cerr << "Marvok needs a display to show its window. To install a pod list without "
                     "one: marvok /install <list>.ini\n";
        return 1;
    }
    ui::QtDesktop desktop;
    ui::Form1 window(session, desktop);
    desktop.SetMainWindow(&window);
    dialogs.SetOwner(&window);
    // The registry is opened on first use: most runs never touch it.
    std::unique_ptr<platform::Registry> registry;
    const auto openRegistry = [&]() -> platform::Registry& {
        if (!registry) {
            registry = platform::CreateRegistry(programFolder);
        }
        return *registry;
    };
    ui::ConnectSecondaryWindows(session, window, openRegistry);
    Startup::HookShortcutsMenu(session, window.Hooks());
    ui::ReportFirstPaint(&window);
    window.show();
    // Closing the window runs the shutdown (the question about a missing pod.ini) itself.
    return app->exec();
}
