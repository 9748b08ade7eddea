// The main window's Shortcuts menu on a Linux desktop of its own (offscreen): the check marks at
// start-up and after each change, and the files behind them.

#include <QAction>
#include <QTest>
#include <memory>

#include "app/Startup.h"
#include "platform/FileSystem.h"
#include "podlist/MainWindowEvents.h"
#include "shell/mShortcutsPlus.h"
#include "support/FakeDesktop.h"
#include "support/FakeUserInterface.h"
#include "support/MemorySettingsStore.h"
#include "support/ShortcutFiles.h"
#include "ui/Form1.h"

namespace marvok::ui {

class ShortcutsMenuTest : public QObject {
    Q_OBJECT

  private:
    QAction* Item(const Form1& form, int index) {
        const auto name = QString::fromStdString(ControlName("menuShortcuts", index));
        auto* action = form.findChild<QAction*>(name);
        if (action == nullptr) {
            qFatal("no menu item %s", qPrintable(name));
        }
        return action;
    }

  private slots:
    void anItemMakesThenRemovesItsShortcutAndTheMarksFollow() {
        // The user's folders, and shared folders that do not exist.
        test::ShortcutFolder home;
        qputenv("HOME", QByteArray::fromStdString(home.NativeText("")));
        qunsetenv("XDG_CONFIG_HOME");
        qunsetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_DIRS", QByteArray::fromStdString(home.NativeText("shared")));
        qputenv("XDG_CONFIG_DIRS", QByteArray::fromStdString(home.NativeText("etc")));
        home.Write("Desktop/Marvok.desktop", "[Desktop Entry]\nExec=/x\n");
        const std::string startMenu = ".local/share/applications/Marvok.desktop";

        // The program started as main() starts it, with the shortcut routines hooked in.
        test::ShortcutFolder game;
        game.Write("pod.ini", "0\r\n");
        const auto fs = platform::CreateFileSystem(game.Folder());
        test::MemorySettingsStore settings;
        test::FakeUserInterface user;
        test::FakeDesktop desktop;
        Session session(*fs, settings, user);
        Startup::FormLoad(session, game.Folder(), {}, Startup::ShortcutServices(session));
        Form1 form(session, desktop);
        Startup::HookShortcutsMenu(session, form.Hooks());
        form.show();
        QVERIFY(Item(form, 1)->isChecked());
        QVERIFY(!Item(form, 2)->isChecked());
        QVERIFY(!Item(form, 3)->isChecked());

        Item(form, 2)->trigger();
        QVERIFY(home.Exists(startMenu));
        QVERIFY(Item(form, 2)->isChecked());
        Item(form, 1)->trigger();
        QVERIFY(!home.Exists("Desktop/Marvok.desktop"));
        QVERIFY(!Item(form, 1)->isChecked());
        Item(form, 2)->trigger();
        QVERIFY(!home.Exists(startMenu));
        QVERIFY(!Item(form, 2)->isChecked());
    }
};

}  // namespace marvok::ui

QTEST_MAIN(marvok::ui::ShortcutsMenuTest)
#include "ShortcutsMenuTest.moc"
