// The main window's commands open the registry, settings and fonts windows.

#include <QAction>
#include <QApplication>
#include <QTest>
#include <memory>

#include "app/Startup.h"
#include "support/FakeDesktop.h"
#include "support/FakeUserInterface.h"
#include "support/MemorySettingsStore.h"
#include "support/TestGameFolder.h"
#include "ui/Form1.h"
#include "ui/SecondaryWindows.h"

namespace marvok::ui {

class SecondaryWindowsTest : public QObject {
    Q_OBJECT

private:
    void Start(std::uintmax_t exeSize) {
        folder = std::make_unique<test::TestGameFolder>();
        // The registry's stand-in files go to the test's own folder, never the user's.
        qputenv("XDG_DATA_HOME", QByteArray::fromStdString(folder->Native("data").string()));
        folder->WriteSized("monster.exe", exeSize);
        folder->Write("system\\Monster.ini", "[Fonts]\r\n");
        folder->Write("pod.ini", "0\r\n");
        fs = platform::CreateFileSystem(folder->Folder());
        session = std::make_unique<Session>(*fs, settings, ui);
        Startup::FormLoad(*session, folder->Folder(), {});
        form = std::make_unique<Form1>(*session, desktop);
        registry = platform::CreateRegistry(folder->Folder());
        ConnectSecondaryWindows(*session, *form, [this]() -> platform::Registry& { return *registry; });
        form->show();
    }

    void Trigger(const char* action) {
        auto* a = form->findChild<QAction*>(QString::fromLatin1(action));
        QVERIFY2(a != nullptr, action);
        QVERIFY2(a->isEnabled(), action);
        a->trigger();
    }

    static int Shown(const char* name) {
        int shown = 0;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            shown += w->objectName() == QLatin1String(name) && w->isVisible() ? 1 : 0;
        }
        return shown;
    }

    std::unique_ptr<test::TestGameFolder> folder;
    test::MemorySettingsStore settings;
    test::FakeUserInterface ui;
    test::FakeDesktop desktop;
    std::unique_ptr<platform::FileSystem> fs;
    std::unique_ptr<Session> session;
    std::unique_ptr<Form1> form;
    std::unique_ptr<platform::Registry> registry;

private slots:
    void cleanup() {
        form.reset();  // takes the secondary windows with it
        registry.reset();
        session.reset();
        folder.reset();
    }

    void eachCommandOpensItsWindowOnce() {
        Start(2925568);
        Trigger("menuPrefs_1");
        QCOMPARE(Shown("FormReg"), 1);
        Trigger("menuPrefs_3");
        Trigger("menuPrefs_3");
        QCOMPARE(Shown("formDirectories"), 1);
        Trigger("menuPrefs_2");
        QCOMPARE(Shown("formMonster"), 1);
        form.reset();
        QCOMPARE(Shown("FormReg") + Shown("formDirectories") + Shown("formMonster"), 0);
    }

    void registeringTheVerbsReportsTheCount() {
        Start(2925568);
        Trigger("menuShortcuts_5");
        QVERIFY(!ui.messages.empty());
        QCOMPARE(QString::fromStdString(ui.messages.back().text), QStringLiteral("Registered 6 of 6"));
    }
};

int RunSecondaryWindowsTests(int argc, char** argv) {
    SecondaryWindowsTest test;
    return QTest::qExec(&test, argc, argv);
}

}  // namespace marvok::ui

#include "SecondaryWindowsTest.moc"
