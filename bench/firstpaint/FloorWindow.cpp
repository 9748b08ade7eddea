// The floor Marvok's start-up is measured against: a main window with two list widgets and
// nothing else, built with the same compiler, flags and Qt. With --text it also shows one menu
// title, which is what loading fonts and drawing any text costs. It reports its first paint the
// way Marvok does (see FirstPaint.h) and ends there.

#include <QApplication>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <cstring>

#include "ui/FirstPaint.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    auto* central = new QWidget(&window);
    auto* layout = new QHBoxLayout(central);
    layout->addWidget(new QListWidget(central));
    layout->addWidget(new QListWidget(central));
    window.setCentralWidget(central);
    if (argc > 1 && std::strcmp(argv[1], "--text") == 0) {
        window.menuBar()->addMenu(QStringLiteral("&File"));
    }
    window.resize(380, 390);
    marvok::ui::ReportFirstPaint(&window);
    window.show();
    return app.exec();
}
