// Marvok: manages the pods that Monster Truck Madness 2 mounts.

#include <QApplication>
#include <iostream>
#include <memory>

#include "app/ConsoleUserInterface.h"
#include "app/Startup.h"
#include "platform/FileSystem.h"
#include "platform/Process.h"
#include "platform/SettingsStore.h"
#include "podlist/Session.h"
#include "ui/Form1.h"
#include "ui/QtUserInterface.h"

int main(int argc, char** argv) {
    using namespace marvok;
    const std::string programFolder = platform::ExecutableFolder();
    // A second instance of this installation ends before reading or writing anything.
    const auto lock = platform::AcquireInstanceLock(programFolder + "/" + platform::ExecutableName());
    if (!lock) {
        std::cerr << "Marvok is already running.\n";
        return 3;
    }
    const platform::CommandLineInput commandLine = platform::ReadCommandLine(argc, argv);
    const auto fs = platform::CreateFileSystem(programFolder);
    const auto settings = platform::CreateSettingsStore(kAppTitle);

    // Installing a list from a plain shell must work without any display.
    const bool windowSystem = platform::HasWindowSystem();
    std::unique_ptr<QApplication> app;
    if (windowSystem) {
        app = std::make_unique<QApplication>(argc, argv);
        QApplication::setApplicationName(ui::ToQString(kAppTitle));
        QApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                                .arg(MARVOK_VERSION_MAJOR)
                                                .arg(MARVOK_VERSION_MINOR)
                                                .arg(MARVOK_VERSION_PATCH));
    }
    ConsoleUserInterface console(std::cerr);
    ui::QtUserInterface dialogs;
    UserInterface& port = windowSystem ? static_cast<UserInterface&>(dialogs) : console;

    Session session(*fs, *settings, port);
    const Startup::Result started = Startup::FormLoad(session, programFolder, commandLine);
    if (!started.showWindow) {
        return started.exitCode;
    }
    if (!windowSystem) {
        std::cerr << "Marvok needs a display to show its window. To install a pod list without "
                     "one: marvok /install <list>.ini\n";
        return 1;
    }
    ui::Form1 window(session);
    dialogs.SetOwner(&window);
    window.show();
    const int code = app->exec();
    Startup::FormUnload(session);
    return code;
}
