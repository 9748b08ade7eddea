// The main window driven by its control names, offscreen, with the user and the desktop faked.

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSet>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>
#include <memory>

#include "app/Startup.h"
#include "podlist/mPodini.h"
#include "support/FakeDesktop.h"
#include "support/FakeUserInterface.h"
#include "support/MemorySettingsStore.h"
#include "support/PodBytes.h"
#include "support/TestGameFolder.h"
#include "ui/Form1.h"
#include "ui/FormAbout.h"

namespace marvok::ui {
namespace {

QStringList Names(std::initializer_list<const char*> names) {
    QStringList list;
    for (const char* name : names) {
        list << QString::fromLatin1(name);
    }
    return list;
}

}  // namespace

class Form1Test : public QObject {
    Q_OBJECT

  private:
    // A game folder with pods a.pod ... and, when asked, the game, its settings and pod.ini.
    struct Game {
        std::uintmax_t exeSize = 2920448;  // MTM2 Unpatched
        bool monsterIni = true;
        std::string podIni = "2\r\nb.pod\r\nd.pod\r\n";  // empty: no pod.ini
        int pods = 6;
        short viewMode = 2;
        std::string extraPod;  // one more pod in the game folder
    };

    void Start(const Game& setup) {
        folder = std::make_unique<test::TestGameFolder>();
        for (int i = 0; i < setup.pods; ++i) {
            folder->Write(PodName(i), "POD");
        }
        if (!setup.extraPod.empty()) {
            folder->Write(setup.extraPod, "POD");
        }
        if (setup.exeSize != 0) {
            folder->WriteSized("monster.exe", setup.exeSize);
        }
        if (setup.monsterIni) {
            folder->Write("system\\Monster.ini", "[Game]\r\n");
        }
        if (!setup.podIni.empty()) {
            folder->Write("pod.ini", setup.podIni);
        }
        settings = std::make_unique<test::MemorySettingsStore>();
        settings->Set("Prefs", "ViewMode", std::to_string(setup.viewMode));
        fs = platform::CreateFileSystem(folder->Folder());
        ui = std::make_unique<test::FakeUserInterface>();
        desktop = std::make_unique<test::FakeDesktop>();
        session = std::make_unique<Session>(*fs, *settings, *ui);
        Startup::FormLoad(*session, folder->Folder(), {});
        form = std::make_unique<Form1>(*session, *desktop);
        desktop->onClose = [this] { form->close(); };
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }

    // a.pod ... z.pod, then za.pod, zb.pod ...: in alphabetical order, and names Windows can hold.
    static std::string PodName(int i) {
        const std::string letter(1, static_cast<char>('a' + i % 26));
        return (i < 26 ? letter : "z" + letter) + ".pod";
    }

    template <typename T>
    T* Find(const char* name) {
        T* child = form->findChild<T*>(QString::fromLatin1(name));
        if (child == nullptr) {
            qFatal("no control %s", name);
        }
        return child;
    }
    QListView* List(int n) {
        return Find<QListView>(n == 1 ? "List1" : n == 2 ? "List2" : "List3");
    }
    static int Count(QListView* list) { return list->model()->rowCount(); }
    static QModelIndex Row(QListView* list, int row) { return list->model()->index(row, 0); }
    static Qt::CheckState Check(QListView* list, int row) {
        return Row(list, row).data(Qt::CheckStateRole).value<Qt::CheckState>();
    }
    QStringList Texts(QListView* list) {
        QStringList texts;
        for (int i = 0; i < Count(list); ++i) {
            texts << Row(list, i).data().toString();
        }
        return texts;
    }
    // A click on the entry's text, away from any check box.
    void ClickRow(QListView* list, int row) {
        QRect rect = list->visualRect(Row(list, row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          QPoint(rect.right() - 10, rect.center().y()));
    }
    QString Text(const char* label) { return Find<QLabel>(label)->text(); }
    static std::vector<FormAbout*> ShownAboutWindows() {
        std::vector<FormAbout*> shown;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* about = qobject_cast<FormAbout*>(w); about != nullptr && about->isVisible()) {
                shown.push_back(about);
            }
        }
        return shown;
    }
    void Press(int key, QWidget* target = nullptr) {
        QTest::keyClick(target != nullptr ? target : form->focusWidget(),
                        static_cast<Qt::Key>(key));
    }

    // The visible captions and counts of the top row: each as wide as its text, inside the
    // window, and clear of the next one.
    void VerifyLabelsWhole() {
        const QRect inner = form->centralWidget()->rect();
        int previousRight = -1;
        for (const char* name : {"Label1", "Label3", "Label2", "Label4"}) {
            auto* label = Find<QLabel>(name);
            if (!label->isVisible()) {
                continue;
            }
            const QRect r = label->geometry();
            const QString where = QStringLiteral("%1 \"%2\" at %3..%4 in %5")
                                      .arg(QLatin1String(name), label->text())
                                      .arg(r.left())
                                      .arg(r.right())
                                      .arg(inner.width());
            QVERIFY2(r.width() >= label->sizeHint().width(), qPrintable(where));
            QVERIFY2(inner.contains(r), qPrintable(where));
            QVERIFY2(r.left() > previousRight, qPrintable(where));
            previousRight = r.right();
        }
        for (const char* name : {"commFile_0", "commFile_1", "commFile_2"}) {
            QVERIFY2(inner.contains(Find<QPushButton>(name)->geometry()), name);
        }
    }

    std::unique_ptr<test::TestGameFolder> folder;
    std::unique_ptr<test::MemorySettingsStore> settings;
    std::unique_ptr<platform::FileSystem> fs;
    std::unique_ptr<test::FakeUserInterface> ui;
    std::unique_ptr<test::FakeDesktop> desktop;
    std::unique_ptr<Session> session;
    std::unique_ptr<Form1> form;

  private slots:
    void cleanup() {
        form.reset();
        session.reset();
        folder.reset();
    }

    void startsWithTheListsTheCountsAndTheFocusOnSaveAndExit() {
        Start({});
        QCOMPARE(form->windowTitle(), QStringLiteral("MTM2 Unpatched"));
        QCOMPARE(Texts(List(1)), (Names({"b.pod", "d.pod"})));
        QCOMPARE(Texts(List(2)), (Names({"a.pod", "c.pod", "e.pod", "f.pod"})));
        QCOMPARE(Text("Label3"), QStringLiteral("2"));
        QCOMPARE(Text("Label4"), QStringLiteral("4"));
        QCOMPARE(form->focusWidget(), Find<QPushButton>("commFile_1"));
        QVERIFY(List(1)->isVisible() && List(2)->isVisible() && !List(3)->isVisible());
    }

    void clicksMovePodsBetweenTheLists() {
        Start({});
        QCOMPARE(Text("listStatus"), QStringLiteral("pod.ini"));
        QVERIFY(!Find<QLabel>("folderNotice")->isVisible());
        ClickRow(List(2), 0);  // mount a.pod: at the end
        QCOMPARE(Texts(List(1)), (Names({"b.pod", "d.pod", "a.pod"})));
        QCOMPARE(Text("listStatus"), QStringLiteral("pod.ini \u2014 not saved"));
        ClickRow(List(1), 1);  // unmount d.pod: into its sorted place
        QCOMPARE(Texts(List(2)), (Names({"c.pod", "d.pod", "e.pod", "f.pod"})));
        QCOMPARE(Text("Label3"), QStringLiteral("2"));
        QCOMPARE(Text("Label4"), QStringLiteral("4"));
        QVERIFY(ui->messages.empty());
        // Space on a list is the keyboard's click.
        List(2)->setFocus();
        List(2)->setCurrentIndex(Row(List(2), 3));
        Press(Qt::Key_Space);
        QCOMPARE(Texts(List(1)).last(), QStringLiteral("f.pod"));
    }

    // The filter hides rows in both lists and the counts say how many show; a click moves the
    // entry it shows, Escape clears the filter first, and a save writes the whole list.
    void theFilterNarrowsTheListsAndMovesWorkOnTheWhole() {
        Start({});
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QTest::keyClick(form.get(), Qt::Key_F, Qt::ControlModifier);
        auto* box = Find<QLineEdit>("filterBox");
        QCOMPARE(form->focusWidget(), box);
        QTest::keyClicks(box, QStringLiteral("E.P"));  // any case, any part of the name
        QCOMPARE(Texts(List(2)), Names({"e.pod"}));
        QCOMPARE(Count(List(1)), 0);
        QCOMPARE(Text("Label3"), QStringLiteral("0 of 2"));
        QCOMPARE(Text("Label4"), QStringLiteral("1 of 4"));
        ClickRow(List(2), 0);
        QCOMPARE(Texts(List(1)), Names({"e.pod"}));
        QCOMPARE(Text("Label3"), QStringLiteral("1 of 3"));
        box->setFocus();
        Press(Qt::Key_Escape);
        QVERIFY(form->isVisible());  // Escape cleared the filter, it did not cancel
        QCOMPARE(box->text(), QString());
        QCOMPARE(Texts(List(1)), (Names({"b.pod", "d.pod", "e.pod"})));
        QCOMPARE(Text("Label3"), QStringLiteral("3"));
        QTest::keyClicks(box, QStringLiteral("zzz"));
        Press(Qt::Key_Return);  // Enter is still "Save && Exit", of the whole list
        QCOMPARE(folder->Read("pod.ini"), std::string("3\r\nb.pod\r\nd.pod\r\ne.pod\r\n"));
    }

    // Alt+Down and Alt+Up move the selected mounted pod and keep it selected; a drop within the
    // mounted list puts the dragged pod where it lands; the status line counts the mounted pods.
    void theMountOrderCanBeChangedByKeysAndByDragging() {
        Game setup;
        setup.podIni = "3\r\nb.pod\r\nd.pod\r\na.pod\r\n";
        Start(setup);
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QCOMPARE(Text("countStatus"), QStringLiteral("3 of 30 pods mounted (MTM2 Unpatched)"));
        List(1)->setFocus();
        List(1)->setCurrentIndex(Row(List(1), 0));
        QTest::keyClick(List(1), Qt::Key_Down, Qt::AltModifier);
        QTest::keyClick(List(1), Qt::Key_Down, Qt::AltModifier);
        QCOMPARE(Texts(List(1)), (Names({"d.pod", "a.pod", "b.pod"})));
        QCOMPARE(List(1)->currentIndex().row(), 2);
        QTest::keyClick(List(1), Qt::Key_Up, Qt::AltModifier);
        QCOMPARE(Texts(List(1)), (Names({"d.pod", "b.pod", "a.pod"})));

        // A drop of the current row (a.pod) on the first one.
        List(1)->setCurrentIndex(Row(List(1), 2));
        auto* mime = List(1)->model()->mimeData({Row(List(1), 2)});
        const QPoint onFirst = List(1)->visualRect(Row(List(1), 0)).center();
        QDragEnterEvent enter(onFirst, Qt::CopyAction | Qt::MoveAction, mime, Qt::LeftButton,
                              Qt::NoModifier);
        QCoreApplication::sendEvent(List(1)->viewport(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(onFirst), Qt::CopyAction | Qt::MoveAction, mime, Qt::LeftButton,
                        Qt::NoModifier);
        QCoreApplication::sendEvent(List(1)->viewport(), &drop);
        delete mime;
        QCOMPARE(Texts(List(1)), (Names({"a.pod", "d.pod", "b.pod"})));
        QCOMPARE(Count(List(2)), 3);  // a drop moves nothing across
        QVERIFY(ui->messages.empty());
        Press(Qt::Key_Return);
        QCOMPARE(folder->Read("pod.ini"), std::string("3\r\na.pod\r\nd.pod\r\nb.pod\r\n"));
    }

    // An entry of pod.ini that is not mounted is counted in the status line, and its link lists
    // each with the reason.
    void theEntriesNotMountedAreCountedAndExplained() {
        Game setup;
        setup.podIni = "3\r\nb.pod\r\ngone.pod\r\nB.POD\r\n";
        Start(setup);
        auto* link = Find<QLabel>("notMounted");
        QVERIFY(link->isVisible());
        QVERIFY(link->text().contains(QStringLiteral("2 not mounted")));
        emit link->linkActivated(QStringLiteral("why"));
        auto* lines = form->findChild<QPlainTextEdit*>(QStringLiteral("notMountedLines"));
        QVERIFY(lines != nullptr);
        QCOMPARE(lines->toPlainText(),
                 QStringLiteral("gone.pod: file not found\nB.POD: a repeat of an earlier entry\n"));
    }

    // Ctrl+I shows what the selected pod is: path, size and its header, or why it is no archive;
    // Ctrl+Right and Ctrl+Left go between the lists.
    void theDetailsPaneSaysWhatThePodIs() {
        Start({});
        folder->Write("b.pod", test::PodBytes("Big trucks", {{"ART\\BACKHOE.ACT", 0, 124},
                                                             {"ART\\CAB.BMP", 0, 124}}));
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        auto* pane = form->findChild<QDockWidget*>(QStringLiteral("detailsPane"));
        QVERIFY(!pane->isVisible());
        QTest::keyClick(form.get(), Qt::Key_I, Qt::ControlModifier);
        QVERIFY(pane->isVisible());
        List(1)->setFocus();
        List(1)->setCurrentIndex(Row(List(1), 0));  // b.pod
        const QString archive = Text("podDetails");
        QVERIFY2(
            archive.contains(QStringLiteral("POD1 archive of 2 files: \u201CBig trucks\u201D")),
            qPrintable(archive));
        QVERIFY(archive.contains(QStringLiteral("b.pod")));
        QTest::keyClick(List(1), Qt::Key_Right, Qt::ControlModifier);
        QCOMPARE(form->focusWidget(), List(2));
        List(2)->setCurrentIndex(Row(List(2), 0));  // a.pod: "POD", three bytes
        QVERIFY2(Text("podDetails").contains(QStringLiteral("Not a sound POD1 archive")),
                 qPrintable(Text("podDetails")));
        QTest::keyClick(List(2), Qt::Key_Left, Qt::ControlModifier);
        QCOMPARE(form->focusWidget(), List(1));
    }

    // A pod the game could not mount (a blank in its folder's name) stays where it is when
    // clicked, and the status line says why.
    void aPodTheGameCannotMountIsNotMounted() {
        Game setup;
        setup.extraPod = "My Mods\\x.pod";
        Start(setup);
        const int at = static_cast<int>(Texts(List(2)).indexOf(QStringLiteral("My Mods\\x.pod")));
        QVERIFY(at >= 0);
        // Greyed, and said so to a screen reader; the pods that can be mounted are not.
        const QColor grey = QGuiApplication::palette().color(QPalette::Disabled, QPalette::Text);
        QCOMPARE(Row(List(2), at).data(Qt::ForegroundRole).value<QColor>(), grey);
        QVERIFY(!Row(List(2), 0).data(Qt::ForegroundRole).isValid());
        QVERIFY(Row(List(2), at).data(Qt::AccessibleDescriptionRole).toString().contains(
            QStringLiteral("cannot be mounted")));
        ClickRow(List(2), at);
        QVERIFY(!Texts(List(1)).contains(QStringLiteral("My Mods\\x.pod")));
        QVERIFY2(form->statusBar()->currentMessage().contains(QStringLiteral("cannot be mounted")),
                 qPrintable(form->statusBar()->currentMessage()));
    }

    // Moves, stock lists and a restored pod.ini are undone one step at a time, with the list's
    // name and counts; a new move drops what could be redone.
    void undoAndRestoreLastSaved() {
        Start({});
        auto* undo = Find<QAction>("menuUndo");
        auto* redo = Find<QAction>("menuRedo");
        QVERIFY(!undo->isEnabled() && !redo->isEnabled());
        ClickRow(List(2), 0);  // a.pod
        Find<QAction>("menuRestore_2")->trigger();  // Minimal: none of them is here
        QCOMPARE(Count(List(1)), 0);
        undo->trigger();
        QCOMPARE(Texts(List(1)), Names({"b.pod", "d.pod", "a.pod"}));
        QCOMPARE(Text("Label3"), QStringLiteral("3"));
        undo->trigger();
        QCOMPARE(Texts(List(1)), Names({"b.pod", "d.pod"}));
        QCOMPARE(Text("listStatus"), QStringLiteral("pod.ini"));
        QVERIFY(!undo->isEnabled() && redo->isEnabled());
        redo->trigger();
        QCOMPARE(Texts(List(1)), Names({"b.pod", "d.pod", "a.pod"}));
        ClickRow(List(2), 0);  // c.pod
        QVERIFY(!redo->isEnabled());

        // The save keeps the pod.ini it replaces; restoring it writes nothing and can be undone.
        auto* restore = Find<QAction>("menuRestoreLastSaved");
        restore->trigger();
        QCOMPARE(ui->messages.size(), std::size_t{1});  // none kept yet
        session->LastSavedCopy = folder->Folder() + "/data/last.ini";
        Find<QAction>("menuFile_2")->trigger();
        const std::string saved = "4\r\nb.pod\r\nd.pod\r\na.pod\r\nc.pod\r\n";
        QCOMPARE(folder->Read("pod.ini"), saved);
        restore->trigger();
        QCOMPARE(Texts(List(1)), Names({"b.pod", "d.pod"}));
        QCOMPARE(Text("listStatus"), QStringLiteral("pod.ini \u2014 not saved"));
        QCOMPARE(folder->Read("pod.ini"), saved);
        undo->trigger();
        QCOMPARE(Texts(List(1)), Names({"b.pod", "d.pod", "a.pod", "c.pod"}));
        QCOMPARE(ui->messages.size(), std::size_t{1});
    }

    // A user folder that gives no pods is named below the lists after a refresh.
    void aUselessUserFolderIsNamed() {
        Start({});
        session->UserPaths[0] = folder->Native("nowhere").string();
        form->Refresh();
        auto* notice = Find<QLabel>("folderNotice");
        QVERIFY(notice->isVisible());
        QVERIFY(notice->text().startsWith(QStringLiteral("No pods from ")));
        QVERIFY(notice->text().contains(QStringLiteral("nowhere: not found")));
        session->UserPaths[0].clear();
        form->Refresh();
        QVERIFY(!notice->isVisible());
    }

    // A move redraws the two rows it changes, not whole lists, and a long name keeps its end
    // reachable in whichever list holds it.
    void aMoveChangesOneRowAndLongNamesScrollSideways() {
        Game setup;
        setup.extraPod = std::string(150, 'w') + ".pod";
        Start(setup);
        const int longRow =
            static_cast<int>(Texts(List(2)).indexOf(QString::fromStdString(setup.extraPod)));
        QVERIFY(longRow >= 0);
        QVERIFY(List(2)->horizontalScrollBar()->maximum() > 0);
        QCOMPARE(List(1)->horizontalScrollBar()->maximum(), 0);
        QSignalSpy resets(List(2)->model(), &QAbstractItemModel::modelReset);
        QSignalSpy removed(List(2)->model(), &QAbstractItemModel::rowsRemoved);
        ClickRow(List(2), longRow);
        QCoreApplication::processEvents();
        QCOMPARE(Texts(List(1)).last(), QString::fromStdString(setup.extraPod));
        QCOMPARE(resets.count(), 0);
        QCOMPARE(removed.count(), 1);
        QVERIFY(List(1)->horizontalScrollBar()->maximum() > 0);
        QCOMPARE(List(2)->horizontalScrollBar()->maximum(), 0);
    }

    void mountingAtThePodLimitMovesNothing_data() {
        QTest::addColumn<short>("viewMode");
        QTest::newRow("side by side") << short{2};
        QTest::newRow("single list") << short{1};
    }

    void mountingAtThePodLimitMovesNothing() {
        QFETCH(short, viewMode);
        Game setup;
        setup.viewMode = viewMode;
        setup.pods = 31;
        setup.podIni = "30\r\n";
        for (int i = 0; i < 30; ++i) {
            setup.podIni += PodName(i) + "\r\n";
        }
        Start(setup);
        if (viewMode == 2) {
            ClickRow(List(2), 0);
            QCOMPARE(Count(List(1)), 30);
            QCOMPARE(Text("Label4"), QStringLiteral("1"));
        } else {
            ClickRow(List(3), 30);
            QCOMPARE(Check(List(3), 30), Qt::Unchecked);
            QCOMPARE(Text("Label3"), QStringLiteral("30 of 31"));
        }
        QCOMPARE(ui->messages.size(), std::size_t{1});
        QCOMPARE(ui->messages[0].text, std::string("MTM2 Unpatched pod limit is 30 pods"));
    }

    void singleListClickAnywhereOnAnEntryTogglesItsCheck() {
        Game setup;
        setup.viewMode = 1;
        Start(setup);
        QListView* list = List(3);
        QVERIFY(list->isVisible() && !List(1)->isVisible() && !List(2)->isVisible());
        QVERIFY(!Find<QLabel>("Label2")->isVisible() && !Find<QLabel>("Label4")->isVisible());
        QCOMPARE(Texts(list).mid(0, 2), (Names({"b.pod", "d.pod"})));
        QCOMPARE(Text("Label3"), QStringLiteral("2 of 6"));
        const int row = static_cast<int>(Texts(list).indexOf(QStringLiteral("e.pod")));
        ClickRow(list, row);
        QCOMPARE(Check(list, row), Qt::Checked);
        QCOMPARE(Text("Label3"), QStringLiteral("3 of 6"));
        ClickRow(list, 0);
        QCOMPARE(Check(list, 0), Qt::Unchecked);
        QCOMPARE(Texts(list)[0], QStringLiteral("b.pod"));  // entries never move
        QCOMPARE(Text("Label3"), QStringLiteral("2 of 6"));
        // A click on the box itself toggles once, like a click on the text.
        const QRect rect = list->visualRect(Row(list, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          QPoint(rect.left() + rect.height() / 2, rect.center().y()));
        QCOMPARE(Check(list, 0), Qt::Checked);
        QCOMPARE(Text("Label3"), QStringLiteral("3 of 6"));
    }

    void toolbarKeyHidesTheToolbarAndLiftsTheLists() {
        Start({});
        QAction* toolbar = Find<QAction>("menuToolbar");
        QVERIFY(toolbar->isChecked());
        const int labelTop = Find<QLabel>("Label1")->y();
        const int listTop = List(1)->y();
        const int listHeight = List(1)->height();
        QTest::keyClick(form.get(), Qt::Key_F4);
        QVERIFY(!Find<QWidget>("toolbarFrame")->isVisible());
        QVERIFY(!toolbar->isChecked());
        const int lift = qRound(510 / form->TwipsPerPixelY());
        QCOMPARE(Find<QLabel>("Label1")->y(), labelTop - lift);
        QCOMPARE(List(1)->y(), listTop - lift);
        QVERIFY(qAbs(List(1)->height() - (listHeight + lift)) <= 1);
        QCOMPARE(settings->Get("Prefs", "ToolbarDisplay"), std::optional<std::string>("no"));
        QTest::keyClick(form.get(), Qt::Key_F4);
        QVERIFY(Find<QWidget>("toolbarFrame")->isVisible());
        QCOMPARE(List(1)->y(), listTop);
        QAction* sort = Find<QAction>("menuSort");
        sort->trigger();
        QVERIFY(sort->isChecked());
    }

    void sideBySideKeySwitchesPresentation() {
        Start({});
        QAction* sideBySide = Find<QAction>("menuViewmode");
        QTest::keyClick(form.get(), Qt::Key_F8);
        QVERIFY(!sideBySide->isChecked());
        QVERIFY(List(3)->isVisible() && !List(1)->isVisible());
        QVERIFY(!Find<QLabel>("Label2")->isVisible() && !Find<QLabel>("Label4")->isVisible());
        QCOMPARE(Text("Label3"), QStringLiteral("2 of 6"));
        QTest::keyClick(form.get(), Qt::Key_F8);
        QVERIFY(sideBySide->isChecked());
        QCOMPARE(Texts(List(1)), (Names({"b.pod", "d.pod"})));
    }

    void disabledCommands_data() {
        QTest::addColumn<qulonglong>("exeSize");
        QTest::addColumn<bool>("monsterIni");
        QTest::addColumn<bool>("podIni");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("disabled");
        const QStringList unknown = Names({"toolbar_7", "menuPrefs_1", "menuFile_5", "commFile_0"});
        const QStringList fonts = Names({"menuPrefs_2", "toolbar_9"});
        const QStringList notepad = Names({"menuFile_0", "toolbar_8"});
        QTest::newRow("patched, complete")
            << 2925568ULL << true << true << QStringLiteral("MTM2 Patched") << QStringList{};
        QTest::newRow("no game") << 0ULL << true << true << QStringLiteral("Unknown") << unknown;
        QTest::newRow("another size")
            << 1234ULL << true << true << QStringLiteral("Unknown") << unknown;
        QTest::newRow("MTM1") << 3109888ULL << true << true << QStringLiteral("MTM1 Unpatched")
                              << Names({"menuReset"});
        QTest::newRow("no Monster.ini")
            << 2920448ULL << false << true << QStringLiteral("MTM2 Unpatched") << fonts;
        QTest::newRow("no pod.ini")
            << 2918400ULL << true << false << QStringLiteral("MTM2 Trial") << notepad;
    }

    void disabledCommands() {
        QFETCH(qulonglong, exeSize);
        QFETCH(bool, monsterIni);
        QFETCH(bool, podIni);
        QFETCH(QString, title);
        QFETCH(QStringList, disabled);
        Game setup;
        setup.exeSize = exeSize;
        setup.monsterIni = monsterIni;
        if (!podIni) {
            setup.podIni.clear();
        }
        Start(setup);
        QCOMPARE(form->windowTitle(), title);
        const QStringList all = Names({"toolbar_7", "menuPrefs_1", "menuFile_5", "commFile_0",
                                       "menuReset", "menuPrefs_2", "toolbar_9", "menuFile_0",
                                       "toolbar_8", "menuPrefs_3", "toolbar_0", "menuFile_4"});
        for (const QString& name : all) {
            QObject* control = form->findChild<QObject*>(name);
            QVERIFY2(control != nullptr, qPrintable(name));
            bool enabled = false;
            if (auto* action = qobject_cast<QAction*>(control)) {
                enabled = action->isEnabled();
            } else if (auto* menu = qobject_cast<QMenu*>(control)) {
                enabled = menu->menuAction()->isEnabled();
            } else {
                enabled = qobject_cast<QWidget*>(control)->isEnabled();
            }
            QVERIFY2(enabled != disabled.contains(name), qPrintable(name));
        }
    }

    void enterPressesSaveAndExit() {
        Start({});
        ClickRow(List(2), 0);
        List(2)->setFocus();
        Press(Qt::Key_Return);
        QCOMPARE(folder->Read("pod.ini"), std::string("3\r\nb.pod\r\nd.pod\r\na.pod\r\n"));
        QCOMPARE(desktop->events, (std::vector<std::string>{"close"}));
        QVERIFY(!form->isVisible());
    }

    void escapeAndEnterOnCancelPressCancel_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("Escape") << int{Qt::Key_Escape};
        QTest::newRow("Enter on Cancel") << int{Qt::Key_Enter};
    }

    void escapeAndEnterOnCancelPressCancel() {
        QFETCH(int, key);
        Start({});
        ClickRow(List(2), 0);
        Find<QPushButton>("commFile_2")->setFocus();
        Press(key);
        QCOMPARE(folder->Read("pod.ini"), std::string("2\r\nb.pod\r\nd.pod\r\n"));
        QVERIFY(!form->isVisible());
    }

    void accessKeyPressesItsButton() {
        Start({});
        ClickRow(List(2), 0);
        // An access key presses its button after the button's short animation.
        QTest::keyClick(form.get(), Qt::Key_X, Qt::AltModifier);  // "Save && E&xit"
        QTRY_VERIFY(!form->isVisible());
        QCOMPARE(folder->Read("pod.ini"), std::string("3\r\nb.pod\r\nd.pod\r\na.pod\r\n"));
    }

    void closingWithoutPodIniAsksAndClosesTheOtherWindows() {
        Game setup;
        setup.podIni.clear();
        setup.pods = 0;
        Start(setup);
        QTest::keyClick(form.get(), Qt::Key_F1);
        FormAbout* shown = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* candidate = qobject_cast<FormAbout*>(w);
                candidate && candidate->isVisible()) {
                shown = candidate;
            }
        }
        QVERIFY(shown != nullptr);
        ui->answers.push_back(MessageAnswer::No);
        form->close();
        QCOMPARE(ui->messages.size(), std::size_t{1});
        QCOMPARE(ui->messages[0].title, std::string("File Not Found"));
        QCOMPARE(ui->messages[0].text,
                 std::string("Pod.ini does not exist.\nDo you want to create it now?"));
        QCOMPARE(ui->messages[0].icon, MessageIcon::Exclamation);
        QCOMPARE(ui->messages[0].buttons, MessageButtons::YesNo);
        QCOMPARE(ui->messages[0].defaultButton, 0);
        QVERIFY(!folder->Exists("pod.ini"));
        QTRY_VERIFY(ShownAboutWindows().empty());
    }

    void toolbarCopyPutsTheListOnTheClipboardAndFocusesSaveAndExit() {
        Start({});
        List(1)->setFocus();
        QTest::mouseClick(Find<QToolButton>("toolbar_5"), Qt::LeftButton);
        QCOMPARE(desktop->clipboard, std::string("2\r\nb.pod\r\nd.pod\r\n"));
        QCOMPARE(form->focusWidget(), Find<QPushButton>("commFile_1"));
    }

    void aboutOpensOnceAboveOtherWindows() {
        Start({});
        QTest::mouseClick(Find<QToolButton>("toolbar_10"), Qt::LeftButton);
        QTest::keyClick(form.get(), Qt::Key_F1);
        const std::vector<FormAbout*> shown = ShownAboutWindows();
        QCOMPARE(shown.size(), std::size_t{1});
        QVERIFY(shown[0]->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(!form->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    }

    void layoutFollowsTheWindowSize() {
        Start({});
        const double tx = form->TwipsPerPixelX();
        form->resize(qRound(8000 / tx), form->height());
        QWidget* inner = form->centralWidget();
        const double w = inner->width() * tx;
        QCOMPARE(List(1)->x(), qRound(130 / tx));
        QCOMPARE(List(2)->x(), qRound((std::round(w) / 2 + 130) / tx));
        auto* exit = Find<QPushButton>("commFile_1");
        QVERIFY(qAbs(exit->x() + exit->width() / 2.0 - inner->width() / 2.0) <= 1);
        QVERIFY(List(1)->geometry().bottom() < exit->y());
    }

    // What a caption shows: "&&" is one "&", a single "&" marks the access key.
    static QString Shown(QString caption) {
        caption.replace(QStringLiteral("&&"), QChar(1));
        caption.remove(QLatin1Char('&'));
        return caption.replace(QChar(1), QLatin1Char('&'));
    }

    // Every menu title and item has an access key, none twice in one menu or in the bar, and
    // shows its designed caption.
    void menusHaveAccessKeysAndShowTheirCaptions() {
        Start({});
        QList<QWidget*> containers{form->menuBar()};
        for (QMenu* menu : form->findChildren<QMenu*>()) {
            containers << menu;
        }
        for (QWidget* container : containers) {
            QSet<QString> keys;
            for (QAction* action : container->actions()) {
                if (action->isSeparator()) {
                    continue;
                }
                const QString key = QKeySequence::mnemonic(action->text()).toString();
                QVERIFY2(!key.isEmpty(), qPrintable(action->text()));
                QVERIFY2(!keys.contains(key), qPrintable(action->text()));
                keys.insert(key);
            }
        }
        QStringList titles;
        for (QAction* title : form->menuBar()->actions()) {
            titles << Shown(title->text());
        }
        QCOMPARE(titles, Names({"File", "Edit", "View", "Help"}));
        const std::pair<const char*, const char*> captions[] = {
            {"menuFile_0", "Notepad"},
            {"menuFile_1", "Open"},
            {"menuFile_2", "Save"},
            {"menuFile_3", "Save as..."},
            {"menuFile_4", "Save & Exit"},
            {"menuFile_5", "Save & Launch"},
            {"menuFile_6", "Cancel"},
            {"menuRefresh", "Refresh"},
            {"menuClip", "Clipboard"},
            {"menuClipboard_1", "copy Pod.ini"},
            {"menuClipboard_2", "copy Pod list"},
            {"menuReset", "MTM2 Stockers"},
            {"menuRestore_1", "Default"},
            {"menuRestore_2", "Minimal"},
            {"menuShorts", "Shortcuts"},
            {"menuShortcuts_1", "Desktop"},
            {"menuShortcuts_2", "Start Menu"},
            {"menuShortcuts_3", "Send to"},
            {"menuShortcuts_5", "Register Shell Extensions"},
            {"menuPrefs_1", "Registry Info"},
            {"menuPrefs_2", "Fonts & Things"},
            {"menuPrefs_3", "Set Paths"},
            {"menuToolbar", "Toolbar"},
            {"menuViewmode", "Side by Side"},
            {"menuSort", "Alphabetize Pod.ini"},
            {"menuAbout", "About"}};
        for (const auto& [name, caption] : captions) {
            QAction* action = nullptr;
            for (QAction* a : form->findChildren<QAction*>(QLatin1String(name))) {
                action = a;
            }
            QVERIFY2(action != nullptr, name);
            QCOMPARE(Shown(action->text()), QString::fromUtf8(caption));
        }
    }

    // The keyboard alone reaches the menus: Alt and a title's letter or F10 open a menu, a
    // letter then runs an item, and the file commands have their Ctrl keys.
    void keyboardRunsTheMenus_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("effect");
        QTest::newRow("Alt+F") << QStringLiteral("Alt+F") << QStringLiteral("menu mnuFile");
        QTest::newRow("Alt+E") << QStringLiteral("Alt+E") << QStringLiteral("menu mnuEdit");
        QTest::newRow("Alt+V") << QStringLiteral("Alt+V") << QStringLiteral("menu mnuView");
        QTest::newRow("Alt+H") << QStringLiteral("Alt+H") << QStringLiteral("menu mnuHelp");
        QTest::newRow("F10") << QStringLiteral("F10") << QStringLiteral("menu mnuFile");
        QTest::newRow("Alt+F, O") << QStringLiteral("Alt+F,O") << QStringLiteral("open");
        QTest::newRow("Ctrl+O") << QStringLiteral("Ctrl+O") << QStringLiteral("open");
        QTest::newRow("Alt+F, A") << QStringLiteral("Alt+F,A") << QStringLiteral("save as");
        QTest::newRow("Ctrl+Shift+S")
            << QStringLiteral("Ctrl+Shift+S") << QStringLiteral("save as");
        QTest::newRow("Alt+F, S") << QStringLiteral("Alt+F,S") << QStringLiteral("save");
        QTest::newRow("Ctrl+S") << QStringLiteral("Ctrl+S") << QStringLiteral("save");
        QTest::newRow("Alt+E, F") << QStringLiteral("Alt+E,F") << QStringLiteral("fonts");
        QTest::newRow("Alt+E, P") << QStringLiteral("Alt+E,P") << QStringLiteral("paths");
        QTest::newRow("Alt+E, I") << QStringLiteral("Alt+E,I") << QStringLiteral("registry");
        QTest::newRow("Alt+E, M, M") << QStringLiteral("Alt+E,M,M") << QStringLiteral("minimal");
        QTest::newRow("Alt+V, S") << QStringLiteral("Alt+V,S") << QStringLiteral("single list");
        QTest::newRow("Alt+H, A") << QStringLiteral("Alt+H,A") << QStringLiteral("about");
        QTest::newRow("F5 still refreshes") << QStringLiteral("F5") << QStringLiteral("refresh");
        QTest::newRow("Ctrl+Z") << QStringLiteral("Ctrl+Z") << QStringLiteral("undo");
        QTest::newRow("Alt+E, U") << QStringLiteral("Alt+E,U") << QStringLiteral("undo");
        QTest::newRow("Ctrl+Z, Ctrl+Shift+Z")
            << QStringLiteral("Ctrl+Z,Ctrl+Shift+Z") << QStringLiteral("redo");
        QTest::newRow("Ctrl+Z, Ctrl+Y") << QStringLiteral("Ctrl+Z,Ctrl+Y") << QStringLiteral("redo");
    }

    void keyboardRunsTheMenus() {
        QFETCH(QString, keys);
        QFETCH(QString, effect);
        Start({});
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QStringList shown;
        form->Hooks().showFonts = [&] { shown << QStringLiteral("fonts"); };
        form->Hooks().showPaths = [&] { shown << QStringLiteral("paths"); };
        form->Hooks().showRegistry = [&] { shown << QStringLiteral("registry"); };
        ClickRow(List(2), 0);              // an unsaved move
        folder->Write("late.pod", "POD");  // found only by a refresh
        for (const QString& part : keys.split(QLatin1Char(','))) {
            const QKeyCombination key = QKeySequence(part)[0];
            QWidget* target = QApplication::activePopupWidget();
            QTest::keyClick(target != nullptr ? target : form->focusWidget(), key.key(),
                            key.keyboardModifiers());
        }
        if (effect.startsWith(QStringLiteral("menu "))) {
            auto* menu = Find<QMenu>(qPrintable(effect.mid(5)));
            QTRY_VERIFY(menu->isVisible());
            menu->hide();
        } else if (effect == QStringLiteral("open") || effect == QStringLiteral("save as")) {
            QTRY_COMPARE(ui->dialogs.size(), std::size_t{1});
            QCOMPARE(ui->dialogs[0].save, effect == QStringLiteral("save as"));
        } else if (effect == QStringLiteral("save")) {
            QTRY_COMPARE(folder->Read("pod.ini"), std::string("3\r\nb.pod\r\nd.pod\r\na.pod\r\n"));
        } else if (effect == QStringLiteral("minimal")) {
            QTRY_COMPARE(Count(List(1)), 0);  // none of the stock pods is there
        } else if (effect == QStringLiteral("single list")) {
            QTRY_VERIFY(List(3)->isVisible());
        } else if (effect == QStringLiteral("about")) {
            QTRY_COMPARE(ShownAboutWindows().size(), std::size_t{1});
            ShownAboutWindows()[0]->close();
        } else if (effect == QStringLiteral("refresh")) {
            QTRY_VERIFY(Texts(List(2)).contains(QStringLiteral("late.pod")));
        } else if (effect == QStringLiteral("undo") || effect == QStringLiteral("redo")) {
            QTRY_COMPARE(Texts(List(1)), effect == QStringLiteral("undo")
                                             ? Names({"b.pod", "d.pod"})
                                             : Names({"b.pod", "d.pod", "a.pod"}));
        } else {
            QTRY_COMPARE(shown, QStringList{effect});
        }
        QVERIFY(QApplication::activePopupWidget() == nullptr);
    }

    // From the first focus, Tab goes to Cancel, then the filter and the lists, then the buttons:
    // never to the toolbar. The focused control shows it.
    void tabGoesThroughTheListsAndTheButtons_data() {
        QTest::addColumn<short>("viewMode");
        QTest::addColumn<QStringList>("order");
        QTest::newRow("side by side") << short{2}
                                      << Names({"commFile_2", "filterBox", "List1", "List2",
                                                "commFile_0", "commFile_1", "commFile_2"});
        QTest::newRow("single list")
            << short{1} << Names({"commFile_2", "filterBox", "List3", "commFile_0", "commFile_1"});
    }

    void tabGoesThroughTheListsAndTheButtons() {
        QFETCH(short, viewMode);
        QFETCH(QStringList, order);
        Game setup;
        setup.viewMode = viewMode;
        Start(setup);
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QCOMPARE(form->focusWidget()->objectName(), QStringLiteral("commFile_1"));
        for (const QString& name : order) {
            QWidget* before = form->focusWidget();
            const QImage unfocused = Find<QWidget>(qPrintable(name))->grab().toImage();
            QTest::keyClick(before, Qt::Key_Tab);
            QWidget* now = form->focusWidget();
            QCOMPARE(now->objectName(), name);
            QVERIFY2(now->grab().toImage() != unfocused,
                     qPrintable(name + QStringLiteral(" looks unfocused")));
            if (auto* list = qobject_cast<QListView*>(now)) {
                QVERIFY(list->currentIndex().isValid());  // the entry Space would move
            }
        }
        for (QToolButton* button : form->findChildren<QToolButton*>()) {
            QCOMPARE(button->focusPolicy(), Qt::NoFocus);
        }
    }

    // Every caption and count stays whole, with thousands of pods and five-digit counts, at the
    // smallest size the window allows, at its first size and on small and large screens.
    void countsAndCaptionsStayWholeAtEverySize_data() {
        QTest::addColumn<short>("viewMode");
        QTest::addColumn<QSize>("size");  // empty: as it opens; 1 x 1: as small as it goes
        for (short mode : {short{2}, short{1}}) {
            const char* view = mode == 2 ? "side by side" : "single list";
            QTest::addRow("%s, as opened", view) << mode << QSize();
            QTest::addRow("%s, smallest", view) << mode << QSize(1, 1);
            QTest::addRow("%s, 800x600", view) << mode << QSize(800, 600);
            QTest::addRow("%s, 1920x1080", view) << mode << QSize(1920, 1080);
        }
    }

    void countsAndCaptionsStayWholeAtEverySize() {
        QFETCH(short, viewMode);
        QFETCH(QSize, size);
        Game setup;
        setup.viewMode = viewMode;
        Start(setup);
        for (int i = 0; i < 1900; ++i) {
            folder->Write("addons\\p" + std::to_string(i) + ".pod", "POD");
        }
        form->Refresh();
        if (!size.isEmpty()) {
            form->resize(size);
        }
        QCoreApplication::processEvents();
        QCOMPARE(Text(viewMode == 2 ? "Label4" : "Label3"),
                 viewMode == 2 ? QStringLiteral("1904") : QStringLiteral("2 of 1906"));
        VerifyLabelsWhole();
        if (QTest::currentTestFailed()) {
            return;
        }
        session->Label3 = viewMode == 2 ? "88888" : "88888 of 88888";
        session->Label4 = "88888";
        form->SyncFromSession();
        VerifyLabelsWhole();
    }
};

int RunForm1Tests(int argc, char** argv) {
    Form1Test test;
    return QTest::qExec(&test, argc, argv);
}

}  // namespace marvok::ui

#include "Form1Test.moc"
