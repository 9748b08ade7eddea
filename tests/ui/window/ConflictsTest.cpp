// Inner files shared by mounted pods: the watcher's worker, the badges on the mounted rows and
// the Conflicts window, on real POD1 files, offscreen.

#include <QtTest>
#include <QtWidgets>
#include <thread>

#include "platform/FileSystem.h"
#include "support/PodBytes.h"
#include "support/TestGameFolder.h"
#include "ui/ConflictWatcher.h"
#include "ui/PodListModel.h"
#include "WindowGame.h"

namespace marvok::ui {

class ConflictsTest : public QObject {
    Q_OBJECT

    // d.pod and b.pod (mounted in that order) share ART\X.ACT; bad.pod promises nine entries
    // and holds one; a.pod carries ART\X.ACT too but is not mounted.
    void Start(short viewMode) {
        game = std::make_unique<WindowGame>();
        game->folder.Write("a.pod", test::SoundPod({"ART\\X.ACT"}));
        game->folder.Write("b.pod", test::SoundPod({"ART\\X.ACT", "ART\\B.BMP"}));
        game->folder.Write("d.pod", test::SoundPod({"art\\x.act", "TRUCK\\D.TRK"}));
        game->folder.Write("bad.pod", test::PodBytes("", {{"ART\\X.ACT"}}, 9u));
        game->folder.Write("pod.ini", "3\r\nd.pod\r\nbad.pod\r\nb.pod\r\n");
        game->folder.WriteSized("monster.exe", 2920448);
        QVERIFY(game->Open(viewMode));
        form = game->form.get();
    }

    QListView* List(const char* name) { return form->findChild<QListView*>(QLatin1String(name)); }
    static QModelIndex Entry(QListView* list, const char* entry) {
        const QModelIndexList rows = list->model()->match(
            list->model()->index(0, 0), Qt::DisplayRole, QLatin1String(entry), 1, Qt::MatchExactly);
        return rows.isEmpty() ? QModelIndex() : rows.first();
    }
    // The badge count of the row showing entry, -1 when no row shows it.
    static int Shared(QListView* list, const char* entry) {
        const QModelIndex row = Entry(list, entry);
        return row.isValid() ? row.data(PodListModel::SharedFilesRole).toInt() : -1;
    }
    static void Click(QListView* list, const char* entry) {
        const QRect rect = list->visualRect(Entry(list, entry));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          QPoint(rect.right() - 10, rect.center().y()));
    }
    QString Window(const char* child) {
        auto* window = form->findChild<QDialog*>(QStringLiteral("FormConflicts"));
        if (window == nullptr) {
            return QStringLiteral("(no Conflicts window)");
        }
        if (auto* label = window->findChild<QLabel*>(QLatin1String(child))) {
            return label->text();
        }
        return window->findChild<QPlainTextEdit*>(QLatin1String(child))->toPlainText();
    }

    std::unique_ptr<WindowGame> game;
    Form1* form = nullptr;

  private slots:
    void cleanup() { game.reset(); }

    // The badges and the window name the shared file with its pods in mount order, whatever
    // the case, and the damaged pod with its problem.
    void sharedFilesAreBadgedAndListedInMountOrder() {
        Start(2);
        QTRY_COMPARE(Shared(List("List1"), "d.pod"), 1);
        QCOMPARE(Shared(List("List1"), "b.pod"), 1);
        QCOMPARE(Shared(List("List1"), "bad.pod"), 0);
        QCOMPARE(Shared(List("List2"), "a.pod"), 0);
        auto* link = form->findChild<QLabel*>(QStringLiteral("conflictsLink"));
        QVERIFY(link->isVisible());
        QVERIFY2(link->text().contains(QStringLiteral("1 conflict<")), qPrintable(link->text()));

        form->findChild<QAction*>(QStringLiteral("menuConflicts"))->trigger();
        QVERIFY2(Window("conflictsHeading").contains(QStringLiteral("in mount order")),
                 qPrintable(Window("conflictsHeading")));
        const QString lines = Window("conflictLines");
        QVERIFY2(lines.startsWith(QStringLiteral("art\\x.act\n    d.pod\n    b.pod\n\n")),
                 qPrintable(lines));
        QVERIFY2(lines.contains(QStringLiteral("    bad.pod: ")), qPrintable(lines));
        QVERIFY(!lines.contains(QStringLiteral("a.pod\n")));
        // Escape closes it; the link opens it again, one window.
        auto* window = form->findChild<QDialog*>(QStringLiteral("FormConflicts"));
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        QTest::keyClick(window, Qt::Key_Escape);
        QVERIFY(!window->isVisible());
        emit link->linkActivated(QStringLiteral("conflicts"));
        emit link->linkActivated(QStringLiteral("conflicts"));
        QCOMPARE(form->findChildren<QDialog*>(QStringLiteral("FormConflicts")).size(), 1);
        QVERIFY(form->findChild<QDialog*>(QStringLiteral("FormConflicts"))->isVisible());
    }

    // In the single list a burst of clicks costs one scan, the open window says it is looking
    // meanwhile, and a pod no longer mounted takes its badge and the other's with it.
    void aBurstOfChangesCostsOneScanAndUnmountingClearsTheBadges() {
        Start(1);
        QListView* list = List("List3");
        QTRY_COMPARE(Shared(list, "b.pod"), 1);
        QCOMPARE(Shared(list, "a.pod"), 0);  // unchecked: not mounted
        form->findChild<QAction*>(QStringLiteral("menuConflicts"))->trigger();
        QSignalSpy scans(form->findChild<ConflictWatcher*>(), &ConflictWatcher::Found);
        Click(list, "a.pod");  // mounted, then not, then d.pod not
        Click(list, "a.pod");
        Click(list, "d.pod");
        QCOMPARE(Window("conflictsHeading"), QStringLiteral("Looking for shared files\u2026"));
        QTRY_COMPARE(Shared(list, "b.pod"), 0);
        QCOMPARE(scans.size(), 1);
        QCOMPARE(Shared(list, "d.pod"), 0);
        QVERIFY(!form->findChild<QLabel*>(QStringLiteral("conflictsLink"))->isVisible());
        QCOMPARE(Window("conflictsHeading"),
                 QStringLiteral("No two mounted pods share an inner file."));
    }

    // Requests in a burst: only the last one's result arrives, read on a worker thread.
    void theWatcherDeliversOnlyTheLatestRequest() {
        test::TestGameFolder pods;
        std::vector<std::string> many;
        for (int i = 0; i < 300; ++i) {
            const std::string name = "p" + std::to_string(i) + ".pod";
            pods.Write(name, test::SoundPod({"ART\\SAME.ACT", "ART\\" + std::to_string(i)}));
            many.push_back(pods.Folder() + "\\" + name);
        }
        std::thread::id reader;
        ConflictWatcher watcher([&] {
            reader = std::this_thread::get_id();
            return platform::CreateFileSystem(pods.Folder());
        });
        QSignalSpy found(&watcher, &ConflictWatcher::Found);
        watcher.Request(many);
        watcher.Request(many);
        const std::uint64_t last = watcher.Request({many[7], many[9]});
        QVERIFY(watcher.Busy());
        QVERIFY(found.wait(5000));
        QCOMPARE(found.first().first().value<quint64>(), last);
        QCOMPARE(watcher.Latest().sharedFiles, (std::vector<std::size_t>{1, 1}));
        QVERIFY(!watcher.Busy());
        QVERIFY(reader != std::thread::id() && reader != std::this_thread::get_id());
        watcher.Request(many);  // the destructor abandons it and waits for the worker
    }
};

int RunConflictsTests(int argc, char** argv) {
    ConflictsTest test;
    return QTest::qExec(&test, argc, argv);
}

}  // namespace marvok::ui

#include "ConflictsTest.moc"
