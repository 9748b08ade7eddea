#pragma once
// The toolbar's pictures and the program's own, drawn in code so that they show on every
// desktop, with or without an icon theme.

#include <QIcon>

namespace marvok::ui {

// The picture of toolbar button 0 to 10.
QIcon ToolbarIcon(int index);
// The program's picture: a monster truck.
QIcon ProgramIcon();
// Makes the program's picture every window's, once. Drawing it at every size and handing it to
// the window system waits until the first window shows.
void UseProgramIcon();

}  // namespace marvok::ui
