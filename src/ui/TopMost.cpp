#include "ui/TopMost.h"

#include <QWidget>

namespace marvok::ui {
namespace {

void SetTopMost(QWidget* window, bool topMost) {
    if (window == nullptr || window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == topMost) {
        return;
    }
    const bool shown = window->isVisible();
    const QRect geometry = window->geometry();
    // Changing the flags recreates the native window, which hides it.
    window->setWindowFlag(Qt::WindowStaysOnTopHint, topMost);
    if (shown) {
        window->setGeometry(geometry);
        window->show();
    }
}

}  // namespace

void MakeTopMost(QWidget* window) {
    SetTopMost(window, true);
}

void MakeNotTopMost(QWidget* window) {
    SetTopMost(window, false);
}

}  // namespace marvok::ui
