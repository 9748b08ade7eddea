#include "ui/FirstPaint.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace marvok::ui {
namespace {

class FirstPaintFilter final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            // The children paint in the same pass; the timer fires once it is done.
            QTimer::singleShot(0, [] {
                const auto now = std::chrono::steady_clock::now().time_since_epoch();
                std::printf("first-paint %lld\n",
                            static_cast<long long>(
                                std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
                std::fflush(stdout);
                std::_Exit(0);
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool seen_ = false;
};

}  // namespace

void ReportFirstPaint(QWidget* window) {
    if (qEnvironmentVariableIsSet("MARVOK_EXIT_AT_FIRST_PAINT")) {
        window->installEventFilter(new FirstPaintFilter(window));
    }
}

}  // namespace marvok::ui
