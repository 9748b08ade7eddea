#pragma once
// Fusion draws the default button and a focused button alike; this style frames the button that
// has the keyboard focus, so Tab shows where it is. It also loads the pictures of the menu bar's
// and toolbar's overflow buttons only when one is shown.

#include <QProxyStyle>

namespace marvok::ui {

class FocusFrameStyle final : public QProxyStyle {
    Q_OBJECT
  public:
    using QProxyStyle::QProxyStyle;

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption* option,
                       const QWidget* widget) const override;
};

// Wraps the application's style once, keeping its palette.
void UseFocusFrames();

}  // namespace marvok::ui
