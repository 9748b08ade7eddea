// The Qt side of the core's ports: file dialogs, their filters, and fonts.

#include <QtTest>
#include <QtWidgets>
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
    // Picks name in the dialog from inside its own modal loop, and answers the message box that
    // follows with button; came tells whether one did.
    static void Choose(const QString& name, QMessageBox::StandardButton button, bool* came,
                       std::function<void(QFileDialog*)> look) {
        QTimer::singleShot(0, [=] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog != nullptr);
            look(dialog);
            dialog->selectFile(name);
            QTimer::singleShot(0, [button, came] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                *came = box != nullptr;
                if (box != nullptr) {
                    box->button(button)->click();
                }
            });
            QMetaObject::invokeMethod(dialog, "accept", Qt::DirectConnection);
            if (dialog->isVisible()) {  // still asking
                dialog->reject();
            }
        });
    }

  private slots:
    // Qt's own dialog opens wide enough for its Size, Type and Date columns, within the screen,
    // gives the names what the other columns leave, starts in the folder asked for, and asks
    // before replacing a file.
    void saveDialogAsksBeforeReplacingTheFileThatWillBeWritten() {
        QTemporaryDir folder;
        QFile existing(folder.filePath(QStringLiteral("mylist.ini")));
        QVERIFY(existing.open(QIODevice::WriteOnly));
        existing.close();
        QtUserInterface ui;
        bool asked = false;
        Choose(QStringLiteral("mylist"), QMessageBox::Yes, &asked, [&](QFileDialog* dialog) {
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Save File"));
            QCOMPARE(QDir(dialog->directory()).canonicalPath(),
                     QDir(folder.path()).canonicalPath());
            const QSize room = dialog->screen()->availableGeometry().size();
            QVERIFY(dialog->width() <= room.width() && dialog->height() <= room.height());
            QVERIFY(dialog->width() >= std::min(800, room.width() - 40));
            auto* details = dialog->findChild<QTreeView*>(QStringLiteral("treeView"));
            QCOMPARE(details->header()->sectionResizeMode(0), QHeaderView::Stretch);
            QCOMPARE(details->header()->sectionResizeMode(2), QHeaderView::ResizeToContents);
            QCOMPARE(dialog->selectedNameFilter(), QStringLiteral("Pod Files (*.ini)"));
        });
        const std::string chosen = ui.ShowFileDialog(PodListRequest(true, folder.path()));
        QVERIFY(asked);
        QCOMPARE(QString::fromStdString(chosen),
                 QDir::toNativeSeparators(folder.filePath(QStringLiteral("mylist.ini"))));
    }

    void nameFilter() {
        QCOMPARE(NameFilter("Pod Files (*.ini)", "*.ini"), QStringLiteral("Pod Files (*.ini)"));
        QCOMPARE(NameFilter("All (*.*)", " *.*"), QStringLiteral("All (*.*)"));
        QCOMPARE(NameFilter("Lists", "*.ini;*.txt"), QStringLiteral("Lists (*.ini *.txt)"));
    }

    // Weight, bold, italic, underline, size and name come back as they went; bold without a
    // weight is bold.
    void fontsRoundTrip() {
        for (const auto& [weight, bold, italic] : {std::tuple{400, false, false},
                                                   std::tuple{700, true, true},
                                                   std::tuple{900, true, false}}) {
            FontObject back;
            FromQFont(ToQFont({.Name = "DejaVu Sans", .Size = 10.5, .Bold = bold, .Italic = italic,
                               .Underline = true, .Weight = weight}),
                      back);
            QCOMPARE(back.Weight, weight);
            QCOMPARE(back.Bold, bold);
            QCOMPARE(back.Italic, italic);
            QVERIFY(back.Underline && !back.Strikethrough);
            QCOMPARE(back.Size, 10.5);
            QCOMPARE(back.Name, std::string("DejaVu Sans"));
        }
        QVERIFY(ToQFont({.Name = "DejaVu Sans", .Bold = true}).bold());
    }
};

int RunQtPortsTests(int argc, char** argv) {
    QtPortsTest test;
    return QTest::qExec(&test, argc, argv);
}

}  // namespace marvok::ui

#include "QtPortsTest.moc"
