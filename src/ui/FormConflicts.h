#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "podlist/PodConflicts.h"

class QLabel;
class QPlainTextEdit;

namespace marvok::ui {

// The inner files that more than one mounted pod carries, each with its pods in mount order,
// and the pods that could not be read. It names no winner: which copy the game uses is not known.
class FormConflicts final : public QDialog {
    Q_OBJECT
  public:
    explicit FormConflicts(QWidget* parent = nullptr);

    // While a scan runs: the last result stays, the heading says a new one is coming.
    void ShowScanning();
    // pods: the entries scanned, as the lists name them, in mount order.
    void ShowResult(const PodConflicts& found, const std::vector<std::string>& pods);

  protected:
    bool event(QEvent* event) override;

  private:
    QLabel* heading_ = nullptr;
    QPlainTextEdit* lines_ = nullptr;
};

}  // namespace marvok::ui
