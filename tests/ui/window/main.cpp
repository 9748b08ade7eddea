// The window tests run in one application, one Qt Test class after the other.

#include <QApplication>

namespace marvok::ui {
int RunForm1Tests(int argc, char** argv);
int RunConflictsTests(int argc, char** argv);
int RunFormAboutTests(int argc, char** argv);
int RunQtPortsTests(int argc, char** argv);
}  // namespace marvok::ui

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    int failed = 0;
    failed += marvok::ui::RunForm1Tests(argc, argv);
    failed += marvok::ui::RunConflictsTests(argc, argv);
    failed += marvok::ui::RunFormAboutTests(argc, argv);
    failed += marvok::ui::RunQtPortsTests(argc, argv);
    return failed == 0 ? 0 : 1;
}
