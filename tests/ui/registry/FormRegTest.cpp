// The registry window for an MTM2 and an MTM1 game: what it shows, which resets it offers, what
// a reset writes, and that it leaves the topmost band while a utility runs.

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

#include "registry/FileRegistry.h"
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
        messages.append({ui::ToQString(text), onTop});
        return MessageAnswer::Ok;
    }
    std::string ShowFileDialog(const FileDialogRequest&) override { return {}; }

    struct Message {
        QString text;
        bool windowOnTop;
    };
    QPointer<QWidget> watched;
    QList<Message> messages;
};

}  // namespace

class FormRegTest : public QObject {
    Q_OBJECT

  private:
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
    // The rows that show a registry value's name or data, not why a frame is empty.
    static int Rows(QWidget* form, const char* array, int count) {
        int filled = 0;
        for (int i = 0; i < count; ++i) {
            const QString text =
                Text(form, QStringLiteral("%1_%2").arg(QLatin1String(array)).arg(i));
            filled += !text.isEmpty() && text != QStringLiteral("not registered") &&
                      text != QStringLiteral("none for this edition");
        }
        return filled;
    }
    static QAction* Item(QWidget* form, const QString& name) {
        return form->findChild<QAction*>(name);
    }

  private slots:
    void showsTheGamesEntries_data() {
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("profile");
        QTest::addColumn<QList<bool>>("resets");
        QTest::addColumn<int>("gameRows");
        QTest::addColumn<int>("directPlayRows");
        QTest::addColumn<QString>("firstName");
        QTest::addColumn<QString>("firstValue");
        QTest::newRow("MTM2") << "MTM2 Patched"
                              << "mtm2" << QList<bool>{false, true, false} << 5 << 5
                              << "InstalledGroup"
                              << "1";
        QTest::newRow("MTM1") << "MTM1 Unpatched"
                              << "mtm1" << QList<bool>{true, false, false} << 5 << 0
                              << "InstalledTo"
                              << "C:\\Games\\MTM";
    }

    void showsTheGamesEntries() {
        QFETCH(QString, version);
        QFETCH(QString, profile);
        QFETCH(QList<bool>, resets);
        QFETCH(int, gameRows);
        QFETCH(int, directPlayRows);
        QFETCH(QString, firstName);
        QFETCH(QString, firstValue);
        Setup setup(version);
        mMyRegStuff::ResetAs(setup.session, setup.registry, profile.toStdString());

        QPointer<ui::FormReg> form = ui::FormReg::Show(setup.session, setup.registry, nullptr);
        QVERIFY(form);
        QVERIFY(form->isVisible());
        QCOMPARE(form->windowTitle(), QStringLiteral("Registry Values for ") + version);
        QCOMPARE(form->findChild<QGroupBox*>(QStringLiteral("frmMTM2"))->title(), version);
        QCOMPARE(form->findChild<QGroupBox*>(QStringLiteral("frmDirectPlay"))->title(),
                 QStringLiteral("Direct Play "));
        QCOMPARE(Rows(form, "mLabel", 7), gameRows);
        QCOMPARE(Rows(form, "dpLabel", 5), directPlayRows);
        QCOMPARE(Rows(form, "dpValue", 5), directPlayRows);
        QCOMPARE(Rows(form, "uLabel", 2), 2);
        QCOMPARE(Text(form, QStringLiteral("mLabel_0")), firstName);
        QCOMPARE(Text(form, QStringLiteral("mValue_0")), firstValue);
        for (int i = 1; i <= 3; ++i) {
            QCOMPARE(Item(form, QStringLiteral("menuRegistry_%1").arg(i))->isEnabled(),
                     resets[i - 1]);
        }
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
        // Looking at a registry without the game's keys writes nothing.
        const std::string before = "WINE REGISTRY Version 2\n\n[Software\\\\Other] 1\n";
        setup.folder.Write("system.reg", before);
        ui::FormReg form(setup.session, setup.registry);
        form.Form_Load();
        QCOMPARE(Rows(&form, "mLabel", 7) + Rows(&form, "dpLabel", 5) + Rows(&form, "uLabel", 2),
                 0);
        // Each empty frame says so.
        QCOMPARE(Text(&form, QStringLiteral("mLabel_0")), QStringLiteral("not registered"));
        QCOMPARE(Text(&form, QStringLiteral("uLabel_0")), QStringLiteral("not registered"));
        QCOMPARE(Text(&form, QStringLiteral("dpLabel_0")),
                 version.startsWith(QStringLiteral("MTM1"))
                     ? QStringLiteral("none for this edition")
                     : QStringLiteral("not registered"));
        QCOMPARE(setup.folder.Read("system.reg"), before);
        QVERIFY(!setup.folder.Exists("user.reg"));

        Item(&form, QStringLiteral("menuRegistry_%1").arg(item))->trigger();
        QCOMPARE(Rows(&form, "mLabel", 7), rows[0]);
        QCOMPARE(Rows(&form, "mValue", 7), rows[0]);
        QCOMPARE(Rows(&form, "dpLabel", 5), rows[1]);
        QCOMPARE(Rows(&form, "uLabel", 2), rows[2]);
        if (rows[2] == 2) {
            QVERIFY(Text(&form, QStringLiteral("uValue_1"))
                        .startsWith(QStringLiteral("C:\\Games\\MTM\\")));
        }
        QVERIFY(setup.ui.messages.isEmpty());
    }

    void valuesAreShownAsPlainText() {
        Setup setup(QStringLiteral("MTM2 Patched"));
        mMyRegStuff::WriteValueList(setup.registry, setup.ui, "-2147483646",
                                    "SOFTWARE\\Microsoft\\Microsoft Games\\Monster Truck "
                                    "Madness\\2.0",
                                    {"<b>Name</b>"}, {"<img src=x>"}, 1);
        ui::FormReg form(setup.session, setup.registry);
        form.Form_Load();
        auto* value = form.findChild<QLabel*>(QStringLiteral("mValue_0"));
        QCOMPARE(value->text(), QStringLiteral("<img src=x>"));
        QCOMPARE(value->textFormat(), Qt::PlainText);
    }

    void utilitiesRunOutsideTheTopmostBand() {
        Setup setup(QStringLiteral("MTM1 Patched"));
        ui::FormReg form(setup.session, setup.registry);
        setup.ui.watched = &form;
        form.Form_Load();
        form.show();
        QVERIFY(form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        // Each utility says in its tooltip what it changes.
        for (const char* name : {"menuEx_0", "menuEx_1"}) {
            QVERIFY2(Item(&form, QLatin1String(name))->toolTip().contains(QStringLiteral("K-vex")),
                     name);
        }
        QVERIFY(Item(&form, QStringLiteral("menuEx_3"))
                    ->toolTip()
                    .contains(QStringLiteral("Explorer")));
        QVERIFY(form.findChild<QMenu*>(QStringLiteral("menuOthers"))->toolTipsVisible());

        Item(&form, QStringLiteral("menuEx_0"))->trigger();
        Item(&form, QStringLiteral("menuEx_1"))->trigger();
        Item(&form, QStringLiteral("menuEx_0"))->trigger();
        Item(&form, QStringLiteral("menuEx_3"))->trigger();
        QCOMPARE(setup.ui.messages.size(), 3);
        QCOMPARE(setup.ui.messages[0].text, QStringLiteral("Not done or nothing to delete."));
        QCOMPARE(setup.ui.messages[1].text, QStringLiteral("K-vex key deleted!"));
        QCOMPARE(setup.ui.messages[2].text, QStringLiteral("removed 3 of 6"));
        for (const auto& message : setup.ui.messages) {
            QVERIFY(!message.windowOnTop);
        }
        QVERIFY(form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(form.isVisible());
    }
};

QTEST_MAIN(FormRegTest)
#include "FormRegTest.moc"
