#pragma once
// The topmost band for the secondary windows: above every ordinary window while they are open.

#include <QWidget>

namespace marvok::ui {

// Puts the window into the topmost band, or takes it out, keeping its place and size.
inline void SetStayOnTop(QWidget* window, bool onTop) {
    if (window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == onTop) {
        return;
    }
    const bool shown = window->isVisible();
    window->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    if (shown) {
        window->show();  // new window flags hide a shown window
    }
}

}  // namespace marvok::ui
