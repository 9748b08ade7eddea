// The Qt side of the core's ports: dialog filters and fonts.

#include <QTest>

#include "ui/QtUserInterface.h"

namespace marvok::ui {

class QtPortsTest : public QObject {
    Q_OBJECT

private slots:
    void nameFilter_data() {
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("filter");
        QTest::newRow("pattern shown once") << QStringLiteral("Pod Files (*.ini)")
                                            << QStringLiteral("*.ini")
                                            << QStringLiteral("Pod Files (*.ini)");
        QTest::newRow("pattern added") << QStringLiteral("Pods") << QStringLiteral("*.ini")
                                       << QStringLiteral("Pods (*.ini)");
        QTest::newRow("blank before the pattern")
            << QStringLiteral("All (*.*)") << QStringLiteral(" *.*") << QStringLiteral("All (*.*)");
        QTest::newRow("several patterns") << QStringLiteral("Lists") << QStringLiteral("*.ini;*.txt")
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
        QTest::newRow("light") << 300 << false << true;
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
