// The main window's Shortcuts menu on a Linux desktop of its own (offscreen): the check marks at
// start-up and after each change, and the files behind them.

#include <QAction>
#include <QTest>
#include <memory>

#include "app/Startup.h"
#include "podlist/MainWindowEvents.h"
#include "shell/mShortcutsPlus.h"
#include "support/FakeDesktop.h"
#include "support/FakeUserInterface.h"
#include "support/MemorySettingsStore.h"
#include "support/ShortcutFiles.h"
#include "support/TestGameFolder.h"
#include "ui/Form1.h"

namespace marvok::ui {

class ShortcutsMenuTest : public QObject {
    Q_OBJECT

  private:
    // The program started as main() starts it, with the shortcut routines hooked in.
    void Start() {
        game = std::make_unique<test::TestGameFolder>();
        game->Write("pod.ini", "0\r\n");
        fs = platform::CreateFileSystem(game->Folder());
        session = std::make_unique<Session>(*fs, settings, user);
        const Startup::Services services = mShortcutsPlus::Install(*session);
        Startup::FormLoad(*session, game->Folder(), {}, services);
        form = std::make_unique<Form1>(*session, desktop);
        mShortcutsPlus::HookMenu(*session, form->Hooks());
        form->show();
    }

    QAction* Item(int index) {
        const auto name = QString::fromStdString(ControlName("menuShortcuts", index));
        auto* action = form->findChild<QAction*>(name);
        if (action == nullptr) {
            qFatal("no menu item %s", qPrintable(name));
        }
        return action;
    }

    std::string ProgramShortcut(const std::string& folder) {
        return folder + "/" + std::string(kAppTitle) + ".desktop";
    }

    test::ShortcutFolder home;
    test::MemorySettingsStore settings;
    test::FakeUserInterface user;
    test::FakeDesktop desktop;
    std::unique_ptr<test::TestGameFolder> game;
    std::unique_ptr<platform::FileSystem> fs;
    std::unique_ptr<Session> session;
    std::unique_ptr<Form1> form;

  private slots:
    void init() {
        // The user's folders, and shared folders that do not exist.
        qputenv("HOME", QByteArray::fromStdString(home.NativeText("")));
        qunsetenv("XDG_CONFIG_HOME");
        qunsetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_DIRS", QByteArray::fromStdString(home.NativeText("shared")));
        qputenv("XDG_CONFIG_DIRS", QByteArray::fromStdString(home.NativeText("etc")));
    }

    void cleanup() {
        form.reset();
        session.reset();
        game.reset();
        std::filesystem::remove_all(home.Native("Desktop"));
        std::filesystem::remove_all(home.Native(".local"));
    }

    // The marks show the shortcuts found at start-up; an item makes, then removes its own.
    void anItemMakesThenRemovesTheShortcut_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("other");
        QTest::newRow("Desktop") << 1 << QStringLiteral("Desktop")
                                 << QStringLiteral(".local/share/applications");
        QTest::newRow("Start Menu") << 2 << QStringLiteral(".local/share/applications")
                                    << QStringLiteral("Desktop");
    }

    void anItemMakesThenRemovesTheShortcut() {
        QFETCH(int, index);
        QFETCH(QString, folder);
        QFETCH(QString, other);
        const std::string file = ProgramShortcut(folder.toStdString());
        home.Write(ProgramShortcut(other.toStdString()), "[Desktop Entry]\nExec=/x\n");
        Start();
        QVERIFY(!Item(index)->isChecked());
        QVERIFY(Item(3 - index)->isChecked());
        QVERIFY(!Item(3)->isChecked());

        Item(index)->trigger();
        QVERIFY(home.Exists(file));
        QVERIFY(Item(index)->isChecked());
        Item(index)->trigger();
        QVERIFY(!home.Exists(file));
        QVERIFY(!Item(index)->isChecked());
        QVERIFY(Item(3 - index)->isChecked());
    }

    void aFailedChangeKeepsTheMark() {
        home.Write("Desktop", "a file where the desktop folder should be");
        Start();
        Item(1)->trigger();
        QVERIFY(!Item(1)->isChecked());
        std::filesystem::remove(home.Native("Desktop"));
    }
};

}  // namespace marvok::ui

QTEST_MAIN(marvok::ui::ShortcutsMenuTest)
#include "ShortcutsMenuTest.moc"
