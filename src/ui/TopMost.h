#pragma once
// The topmost band for the secondary windows: above every ordinary window while they are open.

class QWidget;

namespace marvok::ui {

// Puts the window above all windows that are not topmost; its place and size stay as they are.
void MakeTopMost(QWidget* window);
// Takes the window out of the topmost band, leaving it shown.
void MakeNotTopMost(QWidget* window);

}  // namespace marvok::ui
