// The main window driven by its control names, offscreen, with the user and the desktop faked.

#include <QtTest>
#include <QtWidgets>
#include <memory>

#include "support/PodBytes.h"
#include "ui/FormAbout.h"
#include "ui/SecondaryWindows.h"
#include "WindowGame.h"

namespace marvok::ui {
namespace {

QStringList Names(std::initializer_list<const char*> names) {
    QStringList list;
    for (const char* name : names) {
        list << QString::fromLatin1(name);
    }
    return list;
}

const std::string kPodIni = "2\r\nb.pod\r\nd.pod\r\n";
const std::string kWithA = "3\r\nb.pod\r\nd.pod\r\na.pod\r\n";  // kPodIni after a click on a.pod
const QString kNotSaved = QStringLiteral("pod.ini \u2014 not saved");

}  // namespace

class Form1Test : public QObject {
    Q_OBJECT

    // A game folder with pods a.pod ... and, when asked, the game, its settings and pod.ini.
    struct Game {
        std::uintmax_t exeSize = 2920448;  // MTM2 Unpatched
        bool monsterIni = true;
        std::string podIni = kPodIni;  // empty: no pod.ini
        int pods = 6;
        short viewMode = 2;
    };

    void Start(const Game& setup) {
        game = std::make_unique<WindowGame>();
        for (int i = 0; i < setup.pods; ++i) {
            game->folder.Write(PodName(i), "POD");
        }
        if (setup.exeSize != 0) {
            game->folder.WriteSized("monster.exe", setup.exeSize);
        }
        if (setup.monsterIni) {
            game->folder.Write("system\\Monster.ini", "[Game]\r\n");
        }
        if (!setup.podIni.empty()) {
            game->folder.Write("pod.ini", setup.podIni);
        }
        QVERIFY(game->Open(setup.viewMode));
        form = game->form.get();
        game->desktop.onClose = [this] { form->close(); };
    }
    void StartActive(const Game& setup) {
        Start(setup);
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form));
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
    QListView* List(int n) { return Find<QListView>(n == 1 ? "List1" : n == 2 ? "List2" : "List3"); }
    static int Count(QListView* list) { return list->model()->rowCount(); }
    static QModelIndex Row(QListView* list, int row) { return list->model()->index(row, 0); }
    static Qt::CheckState Check(QListView* list, int row) {
        return Row(list, row).data(Qt::CheckStateRole).value<Qt::CheckState>();
    }
    static QStringList Texts(QListView* list) {
        QStringList texts;
        for (int i = 0; i < Count(list); ++i) {
            texts << Row(list, i).data().toString();
        }
        return texts;
    }
    // A click on the entry's text, away from any check box.
    static void ClickRow(QListView* list, int row) {
        QRect rect = list->visualRect(Row(list, row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          QPoint(rect.right() - 10, rect.center().y()));
    }
    QString Text(const char* label) { return Find<QLabel>(label)->text(); }
    // Both lists, their counts and the list's name: "b.pod|a.pod c.pod|1|2|pod.ini".
    QString State() {
        const QLatin1Char blank(' ');
        return QStringList{Texts(List(1)).join(blank), Texts(List(2)).join(blank), Text("Label3"),
                           Text("Label4"), Text("listStatus")}
            .join(QLatin1Char('|'));
    }
    std::string PodIni() const { return game->folder.Read("pod.ini"); }
    // The visible top-level windows of a class, or with an object name.
    template <typename W = QWidget>
    static std::vector<W*> Shown(const char* name = nullptr) {
        std::vector<W*> shown;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* window = qobject_cast<W*>(w);
            if (window && w->isVisible() && (!name || w->objectName() == QLatin1String(name))) {
                shown.push_back(window);
            }
        }
        return shown;
    }
    // Types a key sequence such as "Alt+E,M,M" into the open menu or the focused control.
    void Type(const QString& keys) {
        for (const QString& part : keys.split(QLatin1Char(','))) {
            const QKeyCombination key = QKeySequence(part)[0];
            QWidget* target = QApplication::activePopupWidget();
            QTest::keyClick(target != nullptr ? target : form->focusWidget(), key.key(),
                            key.keyboardModifiers());
        }
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
            QVERIFY2(r.width() >= label->sizeHint().width() && inner.contains(r) &&
                         r.left() > previousRight,
                     qPrintable(QLatin1String(name) + QLatin1Char(' ') + label->text()));
            previousRight = r.right();
        }
        for (const char* name : {"commFile_0", "commFile_1", "commFile_2"}) {
            QVERIFY2(inner.contains(Find<QPushButton>(name)->geometry()), name);
        }
    }

    std::unique_ptr<WindowGame> game;
    Form1* form = nullptr;

  private slots:
    void cleanup() { game.reset(); }

    // A click on the text, or Space, moves a pod: to the end of the mounted list, or into its
    // sorted place among the others; the counts and the list's name follow.
    void clicksMovePodsBetweenTheLists() {
        Start({});
        QCOMPARE(State(), QStringLiteral("b.pod d.pod|a.pod c.pod e.pod f.pod|2|4|pod.ini"));
        QVERIFY(!Find<QLabel>("folderNotice")->isVisible());
        ClickRow(List(2), 0);
        QCOMPARE(State(), QStringLiteral("b.pod d.pod a.pod|c.pod e.pod f.pod|3|3|") + kNotSaved);
        ClickRow(List(1), 1);
        QCOMPARE(State(), QStringLiteral("b.pod a.pod|c.pod d.pod e.pod f.pod|2|4|") + kNotSaved);
        QVERIFY(game->ui.messages.empty());
        List(2)->setFocus();
        List(2)->setCurrentIndex(Row(List(2), 3));
        QTest::keyClick(List(2), Qt::Key_Space);
        QCOMPARE(Texts(List(1)).last(), QStringLiteral("f.pod"));
    }

    // The filter hides rows in both lists and the counts say how many show; a click moves the
    // entry it shows, Escape clears the filter first, and a save writes the whole list.
    void theFilterNarrowsTheListsAndMovesWorkOnTheWhole() {
        StartActive({});
        QTest::keyClick(form, Qt::Key_F, Qt::ControlModifier);
        auto* box = Find<QLineEdit>("filterBox");
        QCOMPARE(form->focusWidget(), box);
        QTest::keyClicks(box, QStringLiteral("E.P"));  // any case, any part of the name
        QCOMPARE(State(), QStringLiteral("|e.pod|0 of 2|1 of 4|pod.ini"));
        ClickRow(List(2), 0);
        QCOMPARE(State(), QStringLiteral("e.pod||1 of 3|0 of 3|") + kNotSaved);
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Escape);
        QVERIFY(form->isVisible());  // Escape cleared the filter, it did not cancel
        QCOMPARE(box->text(), QString());
        QCOMPARE(State(), QStringLiteral("b.pod d.pod e.pod|a.pod c.pod f.pod|3|3|") + kNotSaved);
        QTest::keyClicks(box, QStringLiteral("zzz"));
        QTest::keyClick(box, Qt::Key_Return);  // Enter is still "Save && Exit", of the whole list
        QCOMPARE(PodIni(), std::string("3\r\nb.pod\r\nd.pod\r\ne.pod\r\n"));
    }

    // Alt+Down and Alt+Up move the selected mounted pod and keep it selected; a drop within the
    // mounted list puts the dragged pod where it lands; the status line counts the mounted pods.
    void theMountOrderCanBeChangedByKeysAndByDragging() {
        StartActive({.podIni = "3\r\nb.pod\r\nd.pod\r\na.pod\r\n"});
        QCOMPARE(Text("countStatus"), QStringLiteral("3 of 30 pods mounted (MTM2 Unpatched)"));
        QListView* list = List(1);
        list->setFocus();
        list->setCurrentIndex(Row(list, 0));
        QTest::keyClick(list, Qt::Key_Down, Qt::AltModifier);
        QTest::keyClick(list, Qt::Key_Down, Qt::AltModifier);
        QCOMPARE(Texts(list), (Names({"d.pod", "a.pod", "b.pod"})));
        QCOMPARE(list->currentIndex().row(), 2);
        QTest::keyClick(list, Qt::Key_Up, Qt::AltModifier);
        QCOMPARE(Texts(list), (Names({"d.pod", "b.pod", "a.pod"})));

        // A drop of the current row (a.pod) on the first one.
        list->setCurrentIndex(Row(list, 2));
        std::unique_ptr<QMimeData> mime(list->model()->mimeData({Row(list, 2)}));
        const QPoint onFirst = list->visualRect(Row(list, 0)).center();
        QDragEnterEvent enter(onFirst, Qt::CopyAction | Qt::MoveAction, mime.get(),
                              Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(list->viewport(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(onFirst), Qt::CopyAction | Qt::MoveAction, mime.get(),
                        Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(list->viewport(), &drop);
        // A drop moves nothing across.
        QCOMPARE(State(), QStringLiteral("a.pod d.pod b.pod|c.pod e.pod f.pod|3|3|") + kNotSaved);
        QVERIFY(game->ui.messages.empty());
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(PodIni(), std::string("3\r\na.pod\r\nd.pod\r\nb.pod\r\n"));
    }

    // Entries of pod.ini that are not mounted are counted, and the link lists each with the
    // reason; a pod the game could not mount (a blank in its folder's name) is greyed, said so to
    // a screen reader, and stays where it is when clicked, with the reason in the status line; a
    // user folder that gives no pods is named below the lists after a refresh.
    void whatCannotBeMountedIsExplained() {
        Start({.podIni = "3\r\nb.pod\r\ngone.pod\r\nB.POD\r\n"});
        game->folder.Write("My Mods\\x.pod", "POD");
        form->Refresh();
        auto* link = Find<QLabel>("notMounted");
        QVERIFY(link->isVisible() && link->text().contains(QStringLiteral("2 not mounted")));
        emit link->linkActivated(QStringLiteral("why"));
        QCOMPARE(Find<QPlainTextEdit>("notMountedLines")->toPlainText(),
                 QStringLiteral("gone.pod: file not found\nB.POD: a repeat of an earlier entry\n"));

        const int at = static_cast<int>(Texts(List(2)).indexOf(QStringLiteral("My Mods\\x.pod")));
        QVERIFY(at >= 0);
        const QColor grey = QGuiApplication::palette().color(QPalette::Disabled, QPalette::Text);
        QCOMPARE(Row(List(2), at).data(Qt::ForegroundRole).value<QColor>(), grey);
        QVERIFY(!Row(List(2), 0).data(Qt::ForegroundRole).isValid());
        QVERIFY(Row(List(2), at).data(Qt::AccessibleDescriptionRole).toString().contains(
            QStringLiteral("cannot be mounted")));
        ClickRow(List(2), at);
        QCOMPARE(Texts(List(1)), Names({"b.pod"}));
        QVERIFY2(form->statusBar()->currentMessage().contains(QStringLiteral("cannot be mounted")),
                 qPrintable(form->statusBar()->currentMessage()));

        game->session->UserPaths[0] = game->folder.Native("nowhere").string();
        form->Refresh();
        auto* notice = Find<QLabel>("folderNotice");
        QVERIFY(notice->isVisible() && notice->text().startsWith(QStringLiteral("No pods from ")));
        QVERIFY(notice->text().contains(QStringLiteral("nowhere: not found")));
        game->session->UserPaths[0].clear();
        form->Refresh();
        QVERIFY(!notice->isVisible());
    }

    // Ctrl+I shows what the selected pod is: path, size and its header, or why it is no archive;
    // Ctrl+Right and Ctrl+Left go between the lists.
    void theDetailsPaneSaysWhatThePodIs() {
        StartActive({});
        game->folder.Write("b.pod", test::PodBytes("Big trucks", {{"ART\\BACKHOE.ACT", 0, 124},
                                                                  {"ART\\CAB.BMP", 0, 124}}));
        auto* pane = Find<QDockWidget>("detailsPane");
        QVERIFY(!pane->isVisible());
        QTest::keyClick(form, Qt::Key_I, Qt::ControlModifier);
        QVERIFY(pane->isVisible());
        List(1)->setFocus();
        List(1)->setCurrentIndex(Row(List(1), 0));  // b.pod
        const QString archive = Text("podDetails");
        QVERIFY2(archive.contains(QStringLiteral("POD1 archive of 2 files: \u201CBig trucks\u201D")) &&
                     archive.contains(QStringLiteral("b.pod")),
                 qPrintable(archive));
        QTest::keyClick(List(1), Qt::Key_Right, Qt::ControlModifier);
        QCOMPARE(form->focusWidget(), List(2));
        List(2)->setCurrentIndex(Row(List(2), 0));  // a.pod: "POD", three bytes
        QVERIFY2(Text("podDetails").contains(QStringLiteral("Not a sound POD1 archive")),
                 qPrintable(Text("podDetails")));
        QTest::keyClick(List(2), Qt::Key_Left, Qt::ControlModifier);
        QCOMPARE(form->focusWidget(), List(1));
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
        QCOMPARE(State(), QStringLiteral("b.pod d.pod a.pod|c.pod e.pod f.pod|3|3|") + kNotSaved);
        undo->trigger();
        QCOMPARE(State(), QStringLiteral("b.pod d.pod|a.pod c.pod e.pod f.pod|2|4|pod.ini"));
        QVERIFY(!undo->isEnabled() && redo->isEnabled());
        redo->trigger();
        QCOMPARE(Texts(List(1)), Names({"b.pod", "d.pod", "a.pod"}));
        ClickRow(List(2), 0);  // c.pod
        QVERIFY(!redo->isEnabled());

        // The save keeps the pod.ini it replaces; restoring it writes nothing and can be undone.
        auto* restore = Find<QAction>("menuRestoreLastSaved");
        restore->trigger();
        QCOMPARE(game->ui.messages.size(), std::size_t{1});  // none kept yet
        game->session->LastSavedCopy = game->folder.Folder() + "/data/last.ini";
        Find<QAction>("menuFile_2")->trigger();
        const std::string saved = "4\r\nb.pod\r\nd.pod\r\na.pod\r\nc.pod\r\n";
        QCOMPARE(PodIni(), saved);
        restore->trigger();
        QCOMPARE(State(), QStringLiteral("b.pod d.pod|a.pod c.pod e.pod f.pod|2|4|") + kNotSaved);
        QCOMPARE(PodIni(), saved);
        undo->trigger();
        QCOMPARE(Texts(List(1)), Names({"b.pod", "d.pod", "a.pod", "c.pod"}));
        QCOMPARE(game->ui.messages.size(), std::size_t{1});
    }

    // One pod below the limit can still be mounted; at the limit a click moves nothing and
    // says why, in both presentations.
    void thePodLimitStopsTheThirtyFirst() {
        for (const auto& [viewMode, mounted] : {std::pair<short, int>{2, 29}, {2, 30}, {1, 30}}) {
            std::string podIni = std::to_string(mounted) + "\r\n";
            for (int i = 0; i < mounted; ++i) {
                podIni += PodName(i) + "\r\n";
            }
            Start({.podIni = podIni, .pods = 31, .viewMode = viewMode});
            ClickRow(List(viewMode == 2 ? 2 : 3), viewMode == 2 ? 0 : 30);
            QCOMPARE(Text("Label3"), viewMode == 2 ? QStringLiteral("30") : QStringLiteral("30 of 31"));
            QCOMPARE(game->ui.messages.size(), std::size_t{mounted < 30 ? 0u : 1u});
            QVERIFY(mounted < 30 || game->ui.messages[0].text == "MTM2 Unpatched pod limit is 30 pods");
        }
    }

    // In the single list a click anywhere on an entry, its box too, toggles it once; entries
    // never move, and the one count says how many of all are mounted.
    void singleListClickAnywhereOnAnEntryTogglesItsCheck() {
        Start({.viewMode = 1});
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
        QCOMPARE(Texts(list)[0], QStringLiteral("b.pod"));
        QCOMPARE(Text("Label3"), QStringLiteral("2 of 6"));
        const QRect rect = list->visualRect(Row(list, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          QPoint(rect.left() + rect.height() / 2, rect.center().y()));
        QCOMPARE(Check(list, 0), Qt::Checked);
        QCOMPARE(Text("Label3"), QStringLiteral("3 of 6"));
    }

    // F4 hides the toolbar, lifts the lists by its height and keeps the choice; the toolbar's
    // Copy puts pod.ini's text on the clipboard.
    void theToolbarHidesAndCopies() {
        Start({});
        QAction* toolbar = Find<QAction>("menuToolbar");
        QVERIFY(toolbar->isChecked());
        const int listTop = List(1)->y();
        QTest::keyClick(form, Qt::Key_F4);
        QVERIFY(!Find<QWidget>("toolbarFrame")->isVisible() && !toolbar->isChecked());
        SavePicture(*form, QStringLiteral("form1-no-toolbar.png"));
        QCOMPARE(List(1)->y(), listTop - qRound(510 / form->TwipsPerPixelY()));
        QCOMPARE(game->settings.Get("Prefs", "ToolbarDisplay"), std::optional<std::string>("no"));
        QTest::keyClick(form, Qt::Key_F4);
        QVERIFY(Find<QWidget>("toolbarFrame")->isVisible());
        QCOMPARE(List(1)->y(), listTop);
        List(1)->setFocus();
        QTest::mouseClick(Find<QToolButton>("toolbar_5"), Qt::LeftButton);
        QCOMPARE(game->desktop.clipboard, kPodIni);
        QCOMPARE(form->focusWidget(), Find<QPushButton>("commFile_1"));
    }

    // The commands a game folder cannot serve are greyed: the game's without a known game, the
    // stock lists for MTM1, the fonts without Monster.ini, Notepad without pod.ini.
    void disabledCommands() {
        const QStringList unknown = Names({"toolbar_7", "menuPrefs_1", "menuFile_5", "commFile_0"});
        const struct {
            Game setup;
            const char* title;
            QStringList disabled;
        } rows[] = {{{.exeSize = 2925568}, "MTM2 Patched", {}},
                    {{.exeSize = 0}, "Unknown", unknown},
                    {{.exeSize = 1234}, "Unknown", unknown},
                    {{.exeSize = 3109888}, "MTM1 Unpatched", Names({"menuReset"})},
                    {{.monsterIni = false}, "MTM2 Unpatched", Names({"menuPrefs_2", "toolbar_9"})},
                    {{.exeSize = 2918400, .podIni = ""}, "MTM2 Trial",
                     Names({"menuFile_0", "toolbar_8"})}};
        for (const auto& row : rows) {
            Start(row.setup);
            QCOMPARE(form->windowTitle(), QString::fromLatin1(row.title));
            for (const QString& name : unknown + Names({"menuReset", "menuPrefs_2", "toolbar_9",
                                                        "menuFile_0", "toolbar_8", "menuPrefs_3",
                                                        "toolbar_0", "menuFile_4"})) {
                QObject* control = form->findChild<QObject*>(name);
                bool enabled = false;
                if (auto* action = qobject_cast<QAction*>(control)) {
                    enabled = action->isEnabled();
                } else if (auto* menu = qobject_cast<QMenu*>(control)) {
                    enabled = menu->menuAction()->isEnabled();
                } else {
                    QVERIFY2(control != nullptr, qPrintable(name));
                    enabled = qobject_cast<QWidget*>(control)->isEnabled();
                }
                QVERIFY2(enabled != row.disabled.contains(name), qPrintable(QString::fromLatin1(row.title) + name));
            }
        }
    }

    // Enter (anywhere but on Cancel) and the access key of "Save && E&xit" save and close;
    // Escape and Enter on Cancel close and write nothing.
    void keysThatCloseTheWindow() {
        const struct {
            const char* keys;
            const char* focus;
            bool saves;
        } rows[] = {{"Return", "List2", true},
                    {"Alt+X", "List2", true},
                    {"Esc", "commFile_2", false},
                    {"Enter", "commFile_2", false}};
        for (const auto& [keys, focus, saves] : rows) {
            Start({});
            ClickRow(List(2), 0);
            Find<QWidget>(focus)->setFocus();
            Type(QString::fromLatin1(keys));
            // An access key presses its button after the button's short animation.
            QTRY_VERIFY2(!form->isVisible(), keys);
            QCOMPARE(PodIni(), saves ? kWithA : kPodIni);
            QCOMPARE(game->desktop.events, std::vector<std::string>{"close"});
        }
    }

    // Without pod.ini, closing asks whether to create it (No: none is made) and the about
    // window goes with the main window; About opens one window however often it is asked for.
    void closingWithoutPodIniAsksAndClosesTheOtherWindows() {
        Start({.podIni = "", .pods = 0});
        QTest::mouseClick(Find<QToolButton>("toolbar_10"), Qt::LeftButton);
        QTest::keyClick(form, Qt::Key_F1);
        QCOMPARE(Shown<FormAbout>().size(), std::size_t{1});
        QVERIFY(!form->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        game->ui.answers.push_back(MessageAnswer::No);
        form->close();
        QCOMPARE(game->ui.messages.size(), std::size_t{1});
        QCOMPARE(game->ui.messages[0].title, std::string("File Not Found"));
        QVERIFY(!game->folder.Exists("pod.ini"));
        QTRY_VERIFY(Shown<FormAbout>().empty());
    }

    // Every menu title and item has an access key, none twice in one menu or in the bar.
    void menusHaveAccessKeys() {
        Start({});
        QList<QWidget*> containers{form->menuBar()};
        for (QMenu* menu : form->findChildren<QMenu*>()) {
            containers << menu;
        }
        for (QWidget* container : containers) {
            QSet<QString> keys;
            for (QAction* action : container->actions()) {
                const QString key = QKeySequence::mnemonic(action->text()).toString();
                QVERIFY2(action->isSeparator() || (!key.isEmpty() && !keys.contains(key)),
                         qPrintable(action->text()));
                keys.insert(key);
            }
        }
        for (QAction* title : form->menuBar()->actions()) {
            // A picture of each menu, with its check marks, shortcut keys and greyed items.
            QMenu* menu = title->menu();
            menu->popup(form->mapToGlobal(QPoint(0, 0)));
            QVERIFY(QTest::qWaitForWindowExposed(menu));
            SavePicture(*menu, QStringLiteral("menu-%1.png").arg(menu->objectName()));
            menu->hide();
        }
    }

    // The keyboard alone reaches the menus: Alt and a title's letter or F10 open a menu, a
    // letter then runs an item, and the commands have their function and Ctrl keys.
    void keyboardRunsTheMenus_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("effect");
        const char* const rows[][2] = {
            {"F10", "menu mnuFile"}, {"Alt+F,O", "open"},
            {"Ctrl+O", "open"}, {"Alt+F,A", "save as"}, {"Ctrl+Shift+S", "save as"},
            {"Alt+F,S", "save"}, {"Ctrl+S", "save"}, {"Alt+E,F", "fonts"}, {"Alt+E,P", "paths"},
            {"Alt+E,I", "registry"}, {"Alt+E,M,M", "minimal"}, {"Alt+V,S", "single list"},
            {"F8", "single list"}, {"Alt+H,A", "about"}, {"F5", "refresh"}, {"Ctrl+Z", "undo"},
            {"Alt+E,U", "undo"}, {"Ctrl+Z,Ctrl+Shift+Z", "redo"}, {"Ctrl+Z,Ctrl+Y", "redo"}};
        for (const auto& [keys, effect] : rows) {
            QTest::newRow(keys) << QString::fromLatin1(keys) << QString::fromLatin1(effect);
        }
    }

    void keyboardRunsTheMenus() {
        QFETCH(QString, keys);
        QFETCH(QString, effect);
        StartActive({});
        QStringList shown;
        form->Hooks().showFonts = [&] { shown << QStringLiteral("fonts"); };
        form->Hooks().showPaths = [&] { shown << QStringLiteral("paths"); };
        form->Hooks().showRegistry = [&] { shown << QStringLiteral("registry"); };
        ClickRow(List(2), 0);                   // an unsaved move
        game->folder.Write("late.pod", "POD");  // found only by a refresh
        Type(keys);
        if (effect.startsWith(QStringLiteral("menu "))) {
            auto* menu = Find<QMenu>(qPrintable(effect.mid(5)));
            QTRY_VERIFY(menu->isVisible());
            menu->hide();
        } else if (effect == QStringLiteral("open") || effect == QStringLiteral("save as")) {
            QTRY_COMPARE(game->ui.dialogs.size(), std::size_t{1});
            QCOMPARE(game->ui.dialogs[0].save, effect == QStringLiteral("save as"));
        } else if (effect == QStringLiteral("save")) {
            QTRY_COMPARE(PodIni(), kWithA);
        } else if (effect == QStringLiteral("minimal")) {
            QTRY_COMPARE(Count(List(1)), 0);  // none of the stock pods is there
        } else if (effect == QStringLiteral("single list")) {
            QTRY_VERIFY(List(3)->isVisible() && !List(1)->isVisible());
            QVERIFY(!Find<QAction>("menuViewmode")->isChecked());
        } else if (effect == QStringLiteral("about")) {
            QTRY_COMPARE(Shown<FormAbout>().size(), std::size_t{1});
            Shown<FormAbout>()[0]->close();
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
        QTest::newRow("side-by-side") << short{2}
                                      << Names({"commFile_2", "filterBox", "List1", "List2",
                                                "commFile_0", "commFile_1", "commFile_2"});
        QTest::newRow("single-list")
            << short{1} << Names({"commFile_2", "filterBox", "List3", "commFile_0", "commFile_1"});
    }

    void tabGoesThroughTheListsAndTheButtons() {
        QFETCH(short, viewMode);
        QFETCH(QStringList, order);
        StartActive({.viewMode = viewMode});
        SavePicture(*form, QStringLiteral("form1-%1.png").arg(QLatin1String(QTest::currentDataTag())));
        QCOMPARE(form->focusWidget()->objectName(), QStringLiteral("commFile_1"));
        for (const QString& name : order) {
            const QImage unfocused = Find<QWidget>(qPrintable(name))->grab().toImage();
            QTest::keyClick(form->focusWidget(), Qt::Key_Tab);
            QWidget* now = form->focusWidget();
            QCOMPARE(now->objectName(), name);
            QVERIFY2(now->grab().toImage() != unfocused, qPrintable(name));  // it shows a frame
            if (auto* list = qobject_cast<QListView*>(now)) {
                QVERIFY(list->currentIndex().isValid());  // the entry Space would move
            }
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
        Start({.viewMode = viewMode});
        for (int i = 0; i < 1900; ++i) {
            game->folder.Write("addons\\p" + std::to_string(i) + ".pod", "POD");
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
        game->session->Label3 = viewMode == 2 ? "88888" : "88888 of 88888";
        game->session->Label4 = "88888";
        form->SyncFromSession();
        VerifyLabelsWhole();
    }

    // The Edit menu's windows open once each and close with the main window; registering the
    // shell verbs says how many were. Last: the registry's stand-in files go to this test's
    // folder, never the user's.
    void secondaryWindowsOpenOnceAndTheVerbsAreCounted() {
        Start({.exeSize = 2925568});
        qputenv("XDG_DATA_HOME", QByteArray::fromStdString(game->folder.Native("data").string()));
        const auto registry = platform::CreateRegistry(game->folder.Folder());
        ConnectSecondaryWindows(*game->session, *form,
                                [&]() -> platform::Registry& { return *registry; });
        for (const char* item : {"menuPrefs_1", "menuPrefs_3", "menuPrefs_3", "menuPrefs_2"}) {
            Find<QAction>(item)->trigger();
        }
        const auto windows = [] {
            return QList<std::size_t>{Shown("FormReg").size(), Shown("formDirectories").size(),
                                      Shown("formMonster").size()};
        };
        QCOMPARE(windows(), (QList<std::size_t>{1, 1, 1}));
        Find<QAction>("menuShortcuts_5")->trigger();
        QVERIFY(!game->ui.messages.empty());
        QCOMPARE(game->ui.messages.back().text, std::string("Registered 6 of 6"));
        game.reset();  // the form takes the secondary windows with it
        QCOMPARE(windows(), (QList<std::size_t>{0, 0, 0}));
    }
};

int RunForm1Tests(int argc, char** argv) {
    Form1Test test;
    return QTest::qExec(&test, argc, argv);
}

}  // namespace marvok::ui

#include "Form1Test.moc"
