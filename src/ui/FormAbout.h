#pragma once

#include <QColor>
#include <QDialog>

#include "common/Desktop.h"

class QLabel;
class QPushButton;

namespace marvok::ui {

// The about window: picture, title, version, description, licence and the program's web address,
// which opens in the browser (none shown when there is no address). Modeless and above all other
// windows.
class FormAbout final : public QDialog {
    Q_OBJECT
  public:
    explicit FormAbout(Desktop& desktop, QWidget* parent = nullptr,
                       const QString& address = HomePage());

    // The address the build was given; empty when the project has no page.
    static QString HomePage();

    // "v" and the three numbers, without leading zeros (v1.0.12).
    static QString VersionText(int major, int minor, int revision);
    // The link's colours: normally, under the mouse, and while a button is pressed on it.
    static QColor LinkColour() { return QColor(0, 0, 0); }
    static QColor LinkHoverColour() { return QColor(0, 0, 255); }
    static QColor LinkPressedColour() { return QColor(128, 128, 255); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    void SetLinkColour(const QColor& colour);

    Desktop& desktop_;
    QLabel* link_ = nullptr;
};

}  // namespace marvok::ui
