#include "ui/FocusFrameStyle.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPointer>
#include <QStyleOption>

namespace marvok::ui {
namespace {

// A style picture asked for only when it is first drawn.
class LazyStandardIcon final : public QIconEngine {
  public:
    LazyStandardIcon(const QStyle* style, QStyle::StandardPixmap which)
        : style_(style), which_(which) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        Icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Icon().pixmap(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return Icon().availableSizes(mode, state);
    }
    QIconEngine* clone() const override { return new LazyStandardIcon(style_, which_); }

  private:
    QIcon& Icon() {
        if (!loaded_) {
            const QStyle* style = style_ ? style_.data() : QApplication::style();
            icon_ = style->standardIcon(which_);
            loaded_ = true;
        }
        return icon_;
    }

    QPointer<const QStyle> style_;
    QStyle::StandardPixmap which_;
    QIcon icon_;
    bool loaded_ = false;
};

}  // namespace

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

QIcon FocusFrameStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption* option,
                                    const QWidget* widget) const {
    // Every menu bar and toolbar asks for these when it is made, and the style reads them from
    // its images: start-up does not need them.
    if (standardIcon == SP_ToolBarHorizontalExtensionButton ||
        standardIcon == SP_ToolBarVerticalExtensionButton) {
        return QIcon(new LazyStandardIcon(baseStyle(), standardIcon));
    }
    return QProxyStyle::standardIcon(standardIcon, option, widget);
}

void UseFocusFrames() {
    if (qobject_cast<FocusFrameStyle*>(QApplication::style()) == nullptr) {
        const QPalette palette = QApplication::palette();
        QApplication::setStyle(new FocusFrameStyle(QApplication::style()->name()));
        QApplication::setPalette(palette);
    }
}

}  // namespace marvok::ui
