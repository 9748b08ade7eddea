#pragma once
// The topmost band for the secondary windows: above every ordinary window while they are open.

#include <QPointer>
#include <QWidget>

namespace marvok::ui {

// Puts the window above all windows that are not topmost; its place and size stay as they are.
void MakeTopMost(QWidget* window);
// Takes the window out of the topmost band, leaving it shown.
void MakeNotTopMost(QWidget* window);

// A secondary window exists once: opening it again brings the open one forward. make creates and
// loads a new window when none is open.
template <typename Window, typename Make>
Window* ShowOnce(QPointer<Window>& open, Make make) {
    if (!open) {
        open = make();
        open->show();
    } else {
        open->showNormal();
    }
    open->raise();
    open->activateWindow();
    return open;
}

}  // namespace marvok::ui
