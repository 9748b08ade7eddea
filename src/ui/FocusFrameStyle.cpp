#include "ui/FocusFrameStyle.h"

#include <QApplication>
#include <QPainter>
#include <QStyleOption>

namespace marvok::ui {

void FocusFrameStyle::drawControl(ControlElement element, const QStyleOption* option,
                                  QPainter* painter, const QWidget* widget) const {
    QProxyStyle::drawControl(element, option, painter, widget);
    const bool keyboardFocus =
        option->state.testFlag(State_HasFocus) && option->state.testFlag(State_KeyboardFocusChange);
    // Styles other than Fusion draw their own focus frame on buttons.
    if (element != CE_PushButton || !keyboardFocus ||
        baseStyle()->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) != 0) {
        return;
    }
    const QRect frame = subElementRect(SE_PushButtonFocusRect, option, widget);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setPen(QPen(option->palette.color(QPalette::ButtonText), 1, Qt::DotLine));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(frame.adjusted(1, 1, -2, -2));
    painter->restore();
}

void UseFocusFrames() {
    if (qobject_cast<FocusFrameStyle*>(QApplication::style()) == nullptr) {
        const QPalette palette = QApplication::palette();
        QApplication::setStyle(new FocusFrameStyle(QApplication::style()->name()));
        QApplication::setPalette(palette);
    }
}

}  // namespace marvok::ui
