// Saves pictures of the main window in both presentations, with and without the toolbar, of its
// menus and of the about window, into the build folder for a reviewer to look at.

#include <QtTest>
#include <QtWidgets>

#include "ui/FormAbout.h"
#include "WindowGame.h"

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
        QTest::addColumn<short>("viewMode");
        QTest::addColumn<QString>("toolbar");
        QTest::newRow("form1-side-by-side") << short{2} << "yes";
        QTest::newRow("form1-side-by-side-no-toolbar") << short{2} << "no";
        QTest::newRow("form1-single-list") << short{1} << "yes";
        QTest::newRow("form1-single-list-no-toolbar") << short{1} << "no";
    }

    void mainWindow() {
        QFETCH(short, viewMode);
        QFETCH(QString, toolbar);
        WindowGame game;
        const char* const pods[] = {"Fixes\\fixmore4.pod", "startup.pod", "music.pod",
                                    "sound.pod", "truck2.pod", "cockpit.pod", "ui.pod",
                                    "tpark.pod", "alaska.pod", "addons\\BigFoot.pod",
                                    "addons\\trucks\\grave.pod", "snake.pod"};
        std::string podIni = "9\r\n";
        for (int i = 0; i < 12; ++i) {
            game.folder.Write(pods[i], "POD");
            podIni += i < 9 ? std::string(pods[i]) + "\r\n" : "";
        }
        game.folder.Write("pod.ini", podIni);
        game.folder.WriteSized("monster.exe", 2925568);
        game.folder.Write("system\\Monster.ini", "[Game]\r\n");
        game.settings.Set("Prefs", "ToolbarDisplay", toolbar.toStdString());
        QVERIFY(game.Open(viewMode));
        Save(*game.form, QString::fromLatin1(QTest::currentDataTag()) + QStringLiteral(".png"));
        if (viewMode == 2 && toolbar == QStringLiteral("yes")) {
            // The menus, with their check marks, shortcut keys and greyed items.
            for (const char* name : {"mnuFile", "mnuEdit", "menuShorts", "mnuView"}) {
                auto* menu = game.form->findChild<QMenu*>(QString::fromLatin1(name));
                QVERIFY(menu != nullptr);
                menu->popup(game.form->mapToGlobal(QPoint(0, 0)));
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
