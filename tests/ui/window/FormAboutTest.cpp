// The about window: its texts, its place above other windows and its link.

#include <QLabel>
#include <QMouseEvent>
#include <QTest>

#include "support/FakeDesktop.h"
#include "ui/FormAbout.h"

namespace marvok::ui {

class FormAboutTest : public QObject {
    Q_OBJECT

    inline static const QString kAddress = QStringLiteral("https://example.net/marvok");

    QLabel* Link(FormAbout& about) { return about.findChild<QLabel*>(QStringLiteral("Label4")); }
    static QColor Colour(QLabel* label) { return label->palette().color(QPalette::WindowText); }
    static void Send(QWidget* target, QEvent::Type type, Qt::MouseButtons buttons = {}) {
        const QPointF at(2, 2);
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, at, target->mapToGlobal(at), button, buttons, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &event);
    }

  private slots:
    void showsTheProgramAboveOtherWindows() {
        test::FakeDesktop desktop;
        FormAbout about(desktop);
        QCOMPARE(about.windowTitle(), QStringLiteral("About Marvok"));
        QCOMPARE(about.findChild<QLabel*>(QStringLiteral("Label1"))->text(),
                 QStringLiteral("Marvok"));
        QCOMPARE(about.findChild<QLabel*>(QStringLiteral("Label2"))->text(),
                 FormAbout::VersionText(MARVOK_VERSION_MAJOR, MARVOK_VERSION_MINOR,
                                        MARVOK_VERSION_PATCH));
        QCOMPARE(about.findChild<QLabel*>(QStringLiteral("Label3"))->text(),
                 QStringLiteral("A program for Monster Truck Madness 2"));
        QCOMPARE(about.findChild<QLabel*>(QStringLiteral("Image1"))->pixmap().size(),
                 QSize(48, 48));
        QCOMPARE(FormAbout::VersionText(1, 0, 12), QStringLiteral("v1.0.12"));
        QCOMPARE(about.findChild<QLabel*>(QStringLiteral("labelLicence"))->text(),
                 QStringLiteral("Free software under the MIT licence"));
        QVERIFY(about.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(!about.isModal());
        // No made-up address: without a page of its own the window shows no link.
        about.show();
        QCOMPARE(Link(about)->isVisible(), !FormAbout::HomePage().isEmpty());
        QVERIFY(!FormAbout::HomePage().contains(QStringLiteral("example")));
    }

    void linkColoursFollowTheMouse() {
        test::FakeDesktop desktop;
        FormAbout about(desktop, nullptr, kAddress);
        about.show();
        QLabel* link = Link(about);
        QCOMPARE(Colour(link), QColor(0, 0, 0));
        Send(link, QEvent::MouseMove);
        QCOMPARE(Colour(link), QColor(0, 0, 255));
        Send(link, QEvent::MouseButtonPress, Qt::LeftButton);
        QCOMPARE(Colour(link), QColor(0x80, 0x80, 0xFF));
        Send(link, QEvent::MouseButtonRelease);
        // A click leaves it light blue until the mouse moves on.
        QCOMPARE(Colour(link), QColor(0x80, 0x80, 0xFF));
        Send(link, QEvent::MouseMove);
        QCOMPARE(Colour(link), QColor(0, 0, 255));
        Send(&about, QEvent::MouseMove);
        QCOMPARE(Colour(link), QColor(0, 0, 0));
    }

    void aClickOnTheLinkOpensItsCaption() {
        test::FakeDesktop desktop;
        FormAbout about(desktop, nullptr, kAddress);
        about.show();
        QLabel* link = Link(about);
        QVERIFY(link->isVisible());
        QVERIFY(link->text().startsWith(QStringLiteral("http")));
        QTest::mouseClick(link, Qt::LeftButton);
        QCOMPARE(desktop.events, std::vector<std::string>{"open " + link->text().toStdString()});
    }
};

int RunFormAboutTests(int argc, char** argv) {
    FormAboutTest test;
    return QTest::qExec(&test, argc, argv);
}

}  // namespace marvok::ui

#include "FormAboutTest.moc"
