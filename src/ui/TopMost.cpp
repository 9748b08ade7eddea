#include "ui/TopMost.h"

#include <QWidget>
#include <QWindow>

namespace marvok::ui {
namespace {

void SetTopMost(QWidget* window, bool topMost) {
    if (window == nullptr || window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == topMost) {
        return;
    }
    const Qt::WindowFlags flags = window->windowFlags().setFlag(Qt::WindowStaysOnTopHint, topMost);
    // QWidget::setWindowFlags would recreate a shown window: it would vanish and come back as a
    // new one, elsewhere in the stacking and the task bar. Its native window takes the change as
    // it is.
    if (QWindow* native = window->windowHandle(); native != nullptr && window->isVisible()) {
        window->overrideWindowFlags(flags);
        native->setFlags(flags);
    } else {
        window->setWindowFlags(flags);
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
