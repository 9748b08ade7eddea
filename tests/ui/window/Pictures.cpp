// Saves pictures of the main window in both presentations, with and without the toolbar, and of
// the about window, into the build folder for a reviewer to look at.

#include <QDir>
#include <QMenu>
#include <QTest>
#include <memory>

#include "app/Startup.h"
#include "support/FakeDesktop.h"
#include "support/FakeUserInterface.h"
#include "support/MemorySettingsStore.h"
#include "support/TestGameFolder.h"
#include "ui/Form1.h"
#include "ui/FormAbout.h"

namespace marvok::ui {

class Pictures : public QObject {
    Q_OBJECT

    static void Save(QWidget& window, const QString& name) {
        const QString path = QDir(QStringLiteral(MARVOK_PICTURES_DIR)).filePath(name);
        QVERIFY2(window.grab().save(path), qPrintable(path));
        qInfo("picture: %s", qPrintable(path));
    }

private slots:
    void mainWindow_data() {
        QTest::addColumn<QString>("viewMode");
        QTest::addColumn<QString>("toolbar");
        QTest::addColumn<QString>("file");
        QTest::newRow("side by side") << QStringLiteral("2") << QStringLiteral("yes")
                                      << QStringLiteral("form1-side-by-side.png");
        QTest::newRow("side by side, no toolbar")
            << QStringLiteral("2") << QStringLiteral("no")
            << QStringLiteral("form1-side-by-side-no-toolbar.png");
        QTest::newRow("single list") << QStringLiteral("1") << QStringLiteral("yes")
                                     << QStringLiteral("form1-single-list.png");
        QTest::newRow("single list, no toolbar")
            << QStringLiteral("1") << QStringLiteral("no")
            << QStringLiteral("form1-single-list-no-toolbar.png");
    }

    void mainWindow() {
        QFETCH(QString, viewMode);
        QFETCH(QString, toolbar);
        QFETCH(QString, file);
        test::TestGameFolder game;
        const char* const pods[] = {"Fixes\\fixmore4.pod",
                                    "startup.pod",
                                    "music.pod",
                                    "sound.pod",
                                    "truck2.pod",
                                    "cockpit.pod",
                                    "ui.pod",
                                    "tpark.pod",
                                    "alaska.pod",
                                    "addons\\BigFoot.pod",
                                    "addons\\trucks\\grave.pod",
                                    "snake.pod"};
        std::string podIni = "9\r\n";
        for (const char* pod : pods) {
            game.Write(pod, "POD");
        }
        for (int i = 0; i < 9; ++i) {
            podIni += std::string(pods[i]) + "\r\n";
        }
        game.Write("pod.ini", podIni);
        game.WriteSized("monster.exe", 2925568);
        game.Write("system\\Monster.ini", "[Game]\r\n");
        test::MemorySettingsStore settings;
        settings.Set("Prefs", "ViewMode", viewMode.toStdString());
        settings.Set("Prefs", "ToolbarDisplay", toolbar.toStdString());
        const auto fs = platform::CreateFileSystem(game.Folder());
        test::FakeUserInterface ui;
        test::FakeDesktop desktop;
        Session session(*fs, settings, ui);
        Startup::FormLoad(session, game.Folder(), {});
        Form1 form(session, desktop);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        Save(form, file);
        if (viewMode == QStringLiteral("2") && toolbar == QStringLiteral("yes")) {
            // The menus, with their check marks, shortcut keys and greyed items.
            for (const char* name : {"mnuFile", "mnuEdit", "menuShorts", "mnuView"}) {
                auto* menu = form.findChild<QMenu*>(QString::fromLatin1(name));
                QVERIFY(menu != nullptr);
                menu->popup(form.mapToGlobal(QPoint(0, 0)));
                QVERIFY(QTest::qWaitForWindowExposed(menu));
                Save(*menu, QStringLiteral("menu-%1.png").arg(QString::fromLatin1(name)));
                menu->hide();
            }
        }
    }

    void aboutWindow() {
        test::FakeDesktop desktop;
        FormAbout about(desktop);
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        Save(about, QStringLiteral("about.png"));
    }
};

int RunPictures(int argc, char** argv) {
    Pictures pictures;
    return QTest::qExec(&pictures, argc, argv);
}

}  // namespace marvok::ui

#include "Pictures.moc"
