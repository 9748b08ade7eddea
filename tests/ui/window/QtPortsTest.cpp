// The Qt side of the core's ports: dialog filters and fonts.

#include <QApplication>
#include <QFileDialog>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <functional>

#include "ui/QtUserInterface.h"

namespace marvok::ui {

class QtPortsTest : public QObject {
    Q_OBJECT

    static FileDialogRequest PodListRequest(bool save, const QString& folder) {
        FileDialogRequest request;
        request.save = save;
        request.title = save ? "Save File" : "Open File";
        request.filters = {{"Pod Files (*.ini)", "*.ini"}, {"All Files (*.*)", "*.*"}};
        request.initialFolder = folder.toStdString();
        request.fileMustExist = !save;
        request.overwritePrompt = save;
        return request;
    }
    // Acts on the open dialog from inside its own modal loop.
    static void WhenShown(std::function<void(QFileDialog*)> act) {
        QTimer::singleShot(0, [act = std::move(act)] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog != nullptr);
            act(dialog);
        });
    }
    // Qt's own dialog opens wide enough for its Size, Type and Date columns, within the screen,
    // and gives the names what the other columns leave.
    static void VerifyRoomForTheColumns(QFileDialog* dialog) {
        const QSize room = dialog->screen()->availableGeometry().size();
        QVERIFY(dialog->width() <= room.width() && dialog->height() <= room.height());
        QVERIFY(dialog->width() >= std::min(800, room.width() - 40));
        auto* details = dialog->findChild<QTreeView*>(QStringLiteral("treeView"));
        QVERIFY(details != nullptr);
        QCOMPARE(details->header()->sectionResizeMode(0), QHeaderView::Stretch);
        QCOMPARE(details->header()->sectionResizeMode(2), QHeaderView::ResizeToContents);
    }
    // Answers the next message box with the given button; records that it came.
    static void AnswerNextBox(QMessageBox::StandardButton button, bool* came) {
        QTimer::singleShot(0, [button, came] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            *came = box != nullptr;
            if (box != nullptr) {
                box->button(button)->click();
            }
        });
    }

  private slots:
    void saveDialogAsksBeforeReplacingTheFileThatWillBeWritten() {
        QTemporaryDir folder;
        QFile existing(folder.filePath(QStringLiteral("mylist.ini")));
        QVERIFY(existing.open(QIODevice::WriteOnly));
        existing.close();
        QtUserInterface ui;
        bool asked = false;
        WhenShown([&asked](QFileDialog* dialog) {
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Save File"));
            VerifyRoomForTheColumns(dialog);
            QCOMPARE(dialog->selectedNameFilter(), QStringLiteral("Pod Files (*.ini)"));
            dialog->selectFile(QStringLiteral("mylist"));
            AnswerNextBox(QMessageBox::Yes, &asked);
            QMetaObject::invokeMethod(dialog, "accept", Qt::DirectConnection);
        });
        const std::string chosen = ui.ShowFileDialog(PodListRequest(true, folder.path()));
        QVERIFY(asked);
        QCOMPARE(QString::fromStdString(chosen),
                 QDir::toNativeSeparators(folder.filePath(QStringLiteral("mylist.ini"))));
    }

    void openDialogRefusesAMissingFileAndStartsInTheFolder() {
        QTemporaryDir folder;
        QtUserInterface ui;
        bool refused = false;
        WhenShown([&refused, &folder](QFileDialog* dialog) {
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Open File"));
            QCOMPARE(QDir(dialog->directory()).canonicalPath(),
                     QDir(folder.path()).canonicalPath());
            dialog->selectFile(QStringLiteral("missing.ini"));
            AnswerNextBox(QMessageBox::Ok, &refused);
            QMetaObject::invokeMethod(dialog, "accept", Qt::DirectConnection);
            QVERIFY(dialog->isVisible());  // still asking
            dialog->reject();
        });
        QCOMPARE(ui.ShowFileDialog(PodListRequest(false, folder.path())), std::string());
        QVERIFY(refused);
    }

    void nameFilter_data() {
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("filter");
        QTest::newRow("pattern shown once")
            << QStringLiteral("Pod Files (*.ini)") << QStringLiteral("*.ini")
            << QStringLiteral("Pod Files (*.ini)");
        QTest::newRow("blank before the pattern")
            << QStringLiteral("All (*.*)") << QStringLiteral(" *.*") << QStringLiteral("All (*.*)");
        QTest::newRow("several patterns")
            << QStringLiteral("Lists") << QStringLiteral("*.ini;*.txt")
            << QStringLiteral("Lists (*.ini *.txt)");
    }

    void nameFilter() {
        QFETCH(QString, description);
        QFETCH(QString, pattern);
        QFETCH(QString, filter);
        QCOMPARE(NameFilter(description.toStdString(), pattern.toStdString()), filter);
    }

    void fontRoundTrip_data() {
        QTest::addColumn<int>("weight");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<bool>("italic");
        QTest::newRow("regular") << 400 << false << false;
        QTest::newRow("bold italic") << 700 << true << true;
        QTest::newRow("heavy") << 900 << true << false;
    }

    void fontRoundTrip() {
        QFETCH(int, weight);
        QFETCH(bool, bold);
        QFETCH(bool, italic);
        FontObject font;
        font.Name = "DejaVu Sans";
        font.Size = 10.5;
        font.Weight = weight;
        font.Bold = bold;
        font.Italic = italic;
        font.Underline = true;
        FontObject back;
        FromQFont(ToQFont(font), back);
        QCOMPARE(back.Weight, weight);
        QCOMPARE(back.Bold, bold);
        QCOMPARE(back.Italic, italic);
        QVERIFY(back.Underline);
        QVERIFY(!back.Strikethrough);
        QCOMPARE(back.Size, 10.5);
        QCOMPARE(back.Name, std::string("DejaVu Sans"));
    }

    void boldWithoutAWeightIsBold() {
        FontObject font;
        font.Name = "DejaVu Sans";
        font.Bold = true;  // the weight left at normal
        QVERIFY(ToQFont(font).bold());
    }
};

int RunQtPortsTests(int argc, char** argv) {
    QtPortsTest test;
    return QTest::qExec(&test, argc, argv);
}

}  // namespace marvok::ui

#include "QtPortsTest.moc"
