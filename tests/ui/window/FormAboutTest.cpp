// The about window: its texts, its place above other windows and its link.

#include <QtTest>
#include <QtWidgets>

#include "support/FakeDesktop.h"
#include "ui/FormAbout.h"
#include "WindowGame.h"

namespace marvok::ui {

class FormAboutTest : public QObject {
    Q_OBJECT

    static QLabel* Label(FormAbout& about, const char* name) {
        return about.findChild<QLabel*>(QLatin1String(name));
    }
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
        // The fixed captions are not compared: only the version, which comes from the build.
        QCOMPARE(Label(about, "Label2")->text(),
                 FormAbout::VersionText(MARVOK_VERSION_MAJOR, MARVOK_VERSION_MINOR,
                                        MARVOK_VERSION_PATCH));
        QCOMPARE(FormAbout::VersionText(1, 0, 12), QStringLiteral("v1.0.12"));
        QCOMPARE(Label(about, "Image1")->pixmap().size(), QSize(48, 48));
        QVERIFY(about.windowFlags().testFlag(Qt::WindowStaysOnTopHint) && !about.isModal());
        // No made-up address: without a page of its own the window shows no link.
        about.show();
        SavePicture(about, QStringLiteral("about.png"));
        QCOMPARE(Label(about, "Label4")->isVisible(), !FormAbout::HomePage().isEmpty());
        QVERIFY(!FormAbout::HomePage().contains(QStringLiteral("example")));
    }

    // The link is black, blue under the mouse, light blue from a press until the mouse moves
    // on; the click opens its caption, once.
    void theLinkFollowsTheMouseAndOpensItsCaption() {
        test::FakeDesktop desktop;
        FormAbout about(desktop, nullptr, QStringLiteral("https://example.net/marvok"));
        about.show();
        QLabel* link = Label(about, "Label4");
        QVERIFY(link->isVisible());
        QCOMPARE(Colour(link), QColor(0, 0, 0));
        Send(link, QEvent::MouseMove);
        QCOMPARE(Colour(link), QColor(0, 0, 255));
        Send(link, QEvent::MouseButtonPress, Qt::LeftButton);
        QCOMPARE(Colour(link), QColor(0x80, 0x80, 0xFF));
        QVERIFY(desktop.events.empty());
        Send(link, QEvent::MouseButtonRelease);
        QCOMPARE(Colour(link), QColor(0x80, 0x80, 0xFF));
        QCOMPARE(desktop.events, std::vector<std::string>{"open https://example.net/marvok"});
        Send(link, QEvent::MouseMove);
        QCOMPARE(Colour(link), QColor(0, 0, 255));
        Send(&about, QEvent::MouseMove);
        QCOMPARE(Colour(link), QColor(0, 0, 0));
    }
};

int RunFormAboutTests(int argc, char** argv) {
    FormAboutTest test;
    return QTest::qExec(&test, argc, argv);
}

}  // namespace marvok::ui

#include "FormAboutTest.moc"
