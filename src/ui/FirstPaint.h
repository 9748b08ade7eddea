#pragma once
// For the start-up benchmark: with MARVOK_EXIT_AT_FIRST_PAINT set, a window reports on standard
// output the steady clock at the end of its first paint ("first-paint <ns>") and the process ends
// there. Without it nothing happens.

class QWidget;

namespace marvok::ui {

void ReportFirstPaint(QWidget* window);

}  // namespace marvok::ui
