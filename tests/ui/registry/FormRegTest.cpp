// The registry window for an MTM2 and an MTM1 game: what it shows, which resets it offers, what
// a reset writes, and that it leaves the topmost band while a utility runs.

#include <QtTest>
#include <QtWidgets>

#include "platform/FileRegistry.h"
#include "platform/FileSystem.h"
#include "registry/mMyRegStuff.h"
#include "support/MemorySettingsStore.h"
#include "support/TestGameFolder.h"
#include "ui/FormReg.h"
#include "ui/QtUserInterface.h"

using namespace marvok;

namespace {

// Records each message with whether the registry window was topmost when it came up.
class WatchingUserInterface final : public UserInterface {
  public:
    MessageAnswer ShowMessage(std::string_view, std::string_view text, MessageIcon, MessageButtons,
                              int) override {
        const bool onTop = watched && watched->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        messages.append(ui::ToQString(text) + (onTop ? QStringLiteral(" (on top)") : QString()));
        return MessageAnswer::Ok;
    }
    std::string ShowFileDialog(const FileDialogRequest&) override { return {}; }

    QPointer<QWidget> watched;
    QStringList messages;
};

}  // namespace

class FormRegTest : public QObject {
    Q_OBJECT

    struct Setup {
        test::TestGameFolder folder;
        std::unique_ptr<platform::FileSystem> fs = platform::CreateFileSystem(folder.Folder());
        test::MemorySettingsStore settings;
        WatchingUserInterface ui;
        Session session{*fs, settings, ui};
        FileRegistry registry{FileRegistry::Options{folder.Native("system.reg").string(),
                                                    folder.Native("user.reg").string(),
                                                    false,
                                                    {},
                                                    {},
                                                    {}}};

        explicit Setup(const QString& version) {
            session.GameFolder = "C:\\Games\\MTM";
            session.GameExeName = "monster.exe";
            session.GameExePath = "C:\\Games\\MTM\\monster.exe";
            session.GameVersion = version.toStdString();
        }
    };

    static QString Text(QWidget* form, const QString& name) {
        auto* label = form->findChild<QLabel*>(name);
        return label ? label->text() : QStringLiteral("<missing %1>").arg(name);
    }
    // How many rows of each frame (game, DirectPlay, uninstall) show a registry value's name,
    // not why the frame is empty.
    static QList<int> Rows(QWidget* form) {
        QList<int> filled;
        for (const auto& [array, count] : {std::pair{"mLabel", 7}, {"dpLabel", 5}, {"uLabel", 2}}) {
            filled << 0;
            for (int i = 0; i < count; ++i) {
                const QString text =
                    Text(form, QStringLiteral("%1_%2").arg(QLatin1String(array)).arg(i));
                filled.last() += !text.isEmpty() && text != QStringLiteral("not registered") &&
                                 text != QStringLiteral("none for this edition");
            }
        }
        return filled;
    }
    static QAction* Item(QWidget* form, const QString& name) {
        return form->findChild<QAction*>(name);
    }
    static QString Resets(QWidget* form) {
        QString enabled;
        for (int i = 1; i <= 3; ++i) {
            enabled += Item(form, QStringLiteral("menuRegistry_%1").arg(i))->isEnabled()
                           ? QLatin1Char('1')
                           : QLatin1Char('0');
        }
        return enabled;
    }

  private slots:
    void showsTheGamesEntries_data() {
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("profile");
        QTest::addColumn<QString>("resets");  // which of the three resets is offered
        QTest::addColumn<QList<int>>("rows");
        QTest::addColumn<QString>("first");  // the first game value: name=data
        QTest::newRow("MTM2") << "MTM2 Patched" << "mtm2" << "010" << QList<int>{5, 5, 2}
                              << "InstalledGroup=1";
        QTest::newRow("MTM1") << "MTM1 Unpatched" << "mtm1" << "100" << QList<int>{5, 0, 2}
                              << "InstalledTo=C:\\Games\\MTM";
    }

    void showsTheGamesEntries() {
        QFETCH(QString, version);
        QFETCH(QString, profile);
        QFETCH(QString, resets);
        QFETCH(QList<int>, rows);
        QFETCH(QString, first);
        Setup setup(version);
        mMyRegStuff::ResetAs(setup.session, setup.registry, profile.toStdString());

        QPointer<ui::FormReg> form = ui::FormReg::Show(setup.session, setup.registry, nullptr);
        QVERIFY(form && form->isVisible());
        QCOMPARE(form->windowTitle(), QStringLiteral("Registry Values for ") + version);
        QCOMPARE(form->findChild<QGroupBox*>(QStringLiteral("frmMTM2"))->title(), version);
        QCOMPARE(Rows(form), rows);
        QCOMPARE(Text(form, QStringLiteral("mLabel_0")) + QLatin1Char('=') +
                     Text(form, QStringLiteral("mValue_0")),
                 first);
        QCOMPARE(Resets(form), resets);
        QVERIFY(form->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        // Opening again brings the same window forward.
        QCOMPARE(ui::FormReg::Show(setup.session, setup.registry, nullptr), form.data());

        form->grab().save(QStringLiteral(MARVOK_PICTURES_DIR "/FormReg-%1.png").arg(profile));
        form->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
        QTRY_VERIFY(form.isNull());
        QVERIFY(setup.ui.messages.isEmpty());
    }

    void resetShowsWhatWasWritten_data() {
        QTest::addColumn<QString>("version");
        QTest::addColumn<int>("item");
        QTest::addColumn<QList<int>>("rows");  // game, DirectPlay, uninstall
        QTest::newRow("MTM2 as MTM2") << "MTM2 Unpatched" << 2 << QList<int>{5, 5, 2};
        QTest::newRow("trial as trial") << "MTM2 Trial" << 3 << QList<int>{6, 5, 2};
        // The MTM2 keys are written, but the trial's keys are the ones shown.
        QTest::newRow("trial as MTM2") << "MTM2 Trial" << 2 << QList<int>{0, 0, 0};
        QTest::newRow("MTM1 as MTM1") << "MTM1 Patched" << 1 << QList<int>{5, 0, 2};
    }

    void resetShowsWhatWasWritten() {
        QFETCH(QString, version);
        QFETCH(int, item);
        QFETCH(QList<int>, rows);
        Setup setup(version);
        // Looking at a registry without the game's keys writes nothing, and each empty frame
        // says why.
        const std::string before = "WINE REGISTRY Version 2\n\n[Software\\\\Other] 1\n";
        setup.folder.Write("system.reg", before);
        ui::FormReg form(setup.session, setup.registry);
        form.Form_Load();
        QCOMPARE(Rows(&form), (QList<int>{0, 0, 0}));
        QCOMPARE(Text(&form, QStringLiteral("mLabel_0")), QStringLiteral("not registered"));
        QCOMPARE(Text(&form, QStringLiteral("uLabel_0")), QStringLiteral("not registered"));
        QCOMPARE(Text(&form, QStringLiteral("dpLabel_0")),
                 version.startsWith(QStringLiteral("MTM1")) ? QStringLiteral("none for this edition")
                                                            : QStringLiteral("not registered"));
        QCOMPARE(setup.folder.Read("system.reg"), before);
        QVERIFY(!setup.folder.Exists("user.reg"));

        Item(&form, QStringLiteral("menuRegistry_%1").arg(item))->trigger();
        QCOMPARE(Rows(&form), rows);
        for (int i = 0; i < 7; ++i) {  // every name shown has its data
            QCOMPARE(Text(&form, QStringLiteral("mValue_%1").arg(i)).isEmpty(), i >= rows[0]);
        }
        if (rows[2] == 2) {
            const QString uninstaller = Text(&form, QStringLiteral("uValue_1"));
            QVERIFY(uninstaller.startsWith(QStringLiteral("C:\\Games\\MTM\\")));
        }
        QVERIFY(setup.ui.messages.isEmpty());
    }

    void valuesAreShownAsPlainText() {
        Setup setup(QStringLiteral("MTM2 Patched"));
        mMyRegStuff::WriteValueList(
            setup.registry, setup.ui, "-2147483646",
            "SOFTWARE\\Microsoft\\Microsoft Games\\Monster Truck Madness\\2.0", {"<b>Name</b>"},
            {"<img src=x>"}, 1);
        ui::FormReg form(setup.session, setup.registry);
        form.Form_Load();
        auto* value = form.findChild<QLabel*>(QStringLiteral("mValue_0"));
        QCOMPARE(value->text(), QStringLiteral("<img src=x>"));
        QCOMPARE(value->textFormat(), Qt::PlainText);
    }

    // Each utility says in its tooltip what it changes, and its answer comes up with the window
    // out of the topmost band, which it takes again afterwards.
    void utilitiesRunOutsideTheTopmostBand() {
        Setup setup(QStringLiteral("MTM1 Patched"));
        ui::FormReg form(setup.session, setup.registry);
        setup.ui.watched = &form;
        form.Form_Load();
        form.show();
        QVERIFY(form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        for (const auto& [name, says] : {std::pair{"menuEx_0", "K-vex"}, {"menuEx_1", "K-vex"},
                                         {"menuEx_3", "Explorer"}}) {
            QVERIFY2(Item(&form, QLatin1String(name))->toolTip().contains(QLatin1String(says)), name);
        }
        QVERIFY(form.findChild<QMenu*>(QStringLiteral("menuOthers"))->toolTipsVisible());
        for (const char* name : {"menuEx_0", "menuEx_1", "menuEx_0", "menuEx_3"}) {
            Item(&form, QLatin1String(name))->trigger();
        }
        QCOMPARE(setup.ui.messages, (QStringList{QStringLiteral("Not done or nothing to delete."),
                                                 QStringLiteral("K-vex key deleted!"),
                                                 QStringLiteral("removed 3 of 6")}));
        QVERIFY(form.windowFlags().testFlag(Qt::WindowStaysOnTopHint) && form.isVisible());
    }
};

QTEST_MAIN(FormRegTest)
#include "FormRegTest.moc"
