#include "ui/Icons.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>
#include <cmath>
#include <functional>
#include <map>
#include <utility>

namespace marvok::ui {
namespace {

using Drawing = std::function<void(QPainter&)>;

// Every picture is drawn on a 32 x 32 grid, at the size a widget asks for when it first asks:
// start-up draws only the pictures and sizes it shows.
class DrawnIconEngine final : public QIconEngine {
  public:
    explicit DrawnIconEngine(Drawing draw) : draw_(std::move(draw)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override {
        const bool plain = mode == QIcon::Normal || mode == QIcon::Active;
        const auto key = std::make_pair(std::make_pair(size.width(), size.height()), plain);
        if (auto it = cache_.find(key); it != cache_.end()) {
            return it->second;
        }
        QPixmap drawn(size);
        drawn.fill(Qt::transparent);
        QPainter painter(&drawn);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(size.width() / 32.0, size.height() / 32.0);
        draw_(painter);
        painter.end();
        if (!plain) {
            QStyleOption option;
            option.palette = QApplication::palette();
            drawn = QApplication::style()->generatedIconPixmap(QIcon::Disabled, drawn, &option);
        }
        cache_.emplace(key, drawn);
        return drawn;
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        return {QSize(16, 16), QSize(24, 24), QSize(32, 32), QSize(48, 48), QSize(64, 64)};
    }

    QIconEngine* clone() const override { return new DrawnIconEngine(draw_); }

  private:
    Drawing draw_;
    std::map<std::pair<std::pair<int, int>, bool>, QPixmap> cache_;
};

QIcon Render(Drawing draw) {
    return QIcon(new DrawnIconEngine(std::move(draw)));
}

const QColor kOutline(60, 60, 70);
const QColor kPaper(252, 252, 248);
const QColor kFolder(240, 190, 60);
const QColor kFolderDark(200, 145, 30);
const QColor kBlue(45, 100, 190);
const QColor kGreen(40, 150, 70);

QPen Outline(double width = 1.5) {
    return QPen(kOutline, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void Page(QPainter& p, QRectF r, double fold = 6) {
    QPainterPath path;
    path.moveTo(r.left(), r.top());
    path.lineTo(r.right() - fold, r.top());
    path.lineTo(r.right(), r.top() + fold);
    path.lineTo(r.right(), r.bottom());
    path.lineTo(r.left(), r.bottom());
    path.closeSubpath();
    p.setPen(Outline());
    p.setBrush(kPaper);
    p.drawPath(path);
    p.drawLine(QPointF(r.right() - fold, r.top()), QPointF(r.right() - fold, r.top() + fold));
    p.drawLine(QPointF(r.right() - fold, r.top() + fold), QPointF(r.right(), r.top() + fold));
}

void TextLines(QPainter& p, QRectF r, int count, double gap = 4) {
    p.setPen(QPen(QColor(130, 140, 160), 1.5));
    for (int i = 0; i < count; ++i) {
        const double y = r.top() + i * gap;
        p.drawLine(QPointF(r.left(), y), QPointF(r.right(), y));
    }
}

void ClosedFolder(QPainter& p, QRectF r) {
    QPainterPath tab;
    tab.moveTo(r.left(), r.top() + 3);
    tab.lineTo(r.left() + 2, r.top());
    tab.lineTo(r.left() + 10, r.top());
    tab.lineTo(r.left() + 12, r.top() + 3);
    tab.closeSubpath();
    p.setPen(Outline());
    p.setBrush(kFolderDark);
    p.drawPath(tab);
    p.setBrush(kFolder);
    p.drawRoundedRect(QRectF(r.left(), r.top() + 3, r.width(), r.height() - 3), 1.5, 1.5);
}

void Floppy(QPainter& p, QRectF r) {
    const double s = r.width();
    QPainterPath body;
    body.moveTo(r.left(), r.top());
    body.lineTo(r.right() - s * 0.15, r.top());
    body.lineTo(r.right(), r.top() + s * 0.15);
    body.lineTo(r.right(), r.bottom());
    body.lineTo(r.left(), r.bottom());
    body.closeSubpath();
    p.setPen(Outline());
    p.setBrush(kBlue);
    p.drawPath(body);
    p.setBrush(QColor(200, 205, 215));  // shutter
    p.drawRect(QRectF(r.left() + s * 0.25, r.top(), s * 0.45, s * 0.3));
    p.setBrush(kOutline);
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(r.left() + s * 0.52, r.top() + s * 0.05, s * 0.1, s * 0.2));
    p.setPen(Outline(1));
    p.setBrush(kPaper);  // label
    p.drawRect(QRectF(r.left() + s * 0.18, r.top() + s * 0.45, s * 0.64, s * 0.45));
}

void Arrow(QPainter& p, QPointF tip, double angleDegrees, double size) {
    p.save();
    p.translate(tip);
    p.rotate(angleDegrees);
    QPainterPath head;
    head.moveTo(0, 0);
    head.lineTo(-size, -size * 0.7);
    head.lineTo(-size, size * 0.7);
    head.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(kGreen);
    p.drawPath(head);
    p.restore();
}

void DrawNewList(QPainter& p) {
    Page(p, QRectF(6, 3, 19, 25));
    TextLines(p, QRectF(10, 12, 10, 0), 3);
    // A sparkle: a fresh list.
    QPainterPath star;
    const QPointF c(24, 24);
    for (int i = 0; i < 8; ++i) {
        const double r = (i % 2 == 0) ? 7 : 2.5;
        const double a = i * 3.14159265 / 4;
        const QPointF pt(c.x() + r * std::sin(a), c.y() - r * std::cos(a));
        if (i == 0) {
            star.moveTo(pt);
        } else {
            star.lineTo(pt);
        }
    }
    star.closeSubpath();
    p.setPen(QPen(QColor(190, 120, 0), 1));
    p.setBrush(QColor(255, 215, 40));
    p.drawPath(star);
}

void DrawOpen(QPainter& p) {
    ClosedFolder(p, QRectF(3, 7, 22, 20));
    Page(p, QRectF(9, 4, 14, 14), 4);
    QPainterPath front;  // the opened flap
    front.moveTo(3, 27);
    front.lineTo(8, 14);
    front.lineTo(30, 14);
    front.lineTo(25, 27);
    front.closeSubpath();
    p.setPen(Outline());
    p.setBrush(QColor(250, 210, 90));
    p.drawPath(front);
}

void DrawSave(QPainter& p) {
    Floppy(p, QRectF(4, 4, 24, 24));
}

void DrawSaveAs(QPainter& p) {
    Floppy(p, QRectF(2, 2, 21, 21));
    // A pencil: a new name.
    p.save();
    p.translate(21, 22);
    p.rotate(-45);
    p.setPen(Outline(1));
    p.setBrush(QColor(250, 180, 40));
    p.drawRect(QRectF(-2, -12, 5, 14));
    p.setBrush(QColor(240, 150, 150));
    p.drawRect(QRectF(-2, -15, 5, 3));
    QPainterPath tip;
    tip.moveTo(-2, 2);
    tip.lineTo(3, 2);
    tip.lineTo(0.5, 7);
    tip.closeSubpath();
    p.setBrush(QColor(240, 220, 180));
    p.drawPath(tip);
    p.restore();
}

void DrawRefresh(QPainter& p) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kGreen, 3.5, Qt::SolidLine, Qt::FlatCap));
    const QRectF circle(6, 6, 20, 20);
    p.drawArc(circle, 100 * 16, 150 * 16);
    p.drawArc(circle, 280 * 16, 150 * 16);
    Arrow(p, QPointF(13.5, 27.5), 160, 6);
    Arrow(p, QPointF(18.5, 4.5), -20, 6);
}

void DrawCopy(QPainter& p) {
    Page(p, QRectF(4, 3, 15, 19), 5);
    TextLines(p, QRectF(7, 10, 7, 0), 3, 3.5);
    Page(p, QRectF(13, 10, 15, 19), 5);
    TextLines(p, QRectF(16, 17, 8, 0), 3, 3.5);
}

void DrawPaths(QPainter& p) {
    ClosedFolder(p, QRectF(2, 5, 22, 18));
    // A magnifier: where pods are looked for.
    p.setPen(QPen(kOutline, 3.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(24, 24), QPointF(29, 29));
    p.setPen(QPen(kOutline, 2));
    p.setBrush(QColor(200, 230, 250, 220));
    p.drawEllipse(QPointF(20, 20), 6, 6);
}

void DrawRegistry(QPainter& p) {
    // Stacked blocks, the look of the registry.
    const QColor colours[] = {QColor(70, 120, 210), QColor(60, 170, 90), QColor(215, 80, 70)};
    const QPointF places[] = {QPointF(3, 15), QPointF(16, 15), QPointF(9.5, 3)};
    for (int i = 0; i < 3; ++i) {
        const QRectF r(places[i], QSizeF(13, 13));
        p.setPen(Outline(1.2));
        p.setBrush(colours[i]);
        p.drawRect(r);
        p.setPen(QPen(colours[i].lighter(150), 1.5));
        p.drawLine(QPointF(r.left() + 2, r.top() + 2), QPointF(r.right() - 2, r.top() + 2));
        p.drawLine(QPointF(r.left() + 2, r.top() + 2), QPointF(r.left() + 2, r.bottom() - 2));
    }
}

void DrawNotepad(QPainter& p) {
    p.setPen(Outline());
    p.setBrush(QColor(255, 253, 200));
    p.drawRect(QRectF(6, 5, 20, 24));
    p.setBrush(QColor(90, 150, 220));
    p.drawRect(QRectF(6, 5, 20, 4));
    TextLines(p, QRectF(9, 14, 14, 0), 4, 3.8);
    p.setPen(QPen(kOutline, 1.5));
    p.setBrush(Qt::NoBrush);
    for (double x : {10.0, 16.0, 22.0}) {  // the spiral
        p.drawEllipse(QRectF(x - 1.5, 2.5, 3, 5));
    }
}

void DrawFonts(QPainter& p) {
    // A serif "A" built of strokes, so it needs no installed font.
    QPainterPath a;
    a.moveTo(3, 27);
    a.lineTo(13, 3);
    a.lineTo(17, 3);
    a.lineTo(27, 27);
    a.lineTo(22, 27);
    a.lineTo(19.5, 20);
    a.lineTo(10.5, 20);
    a.lineTo(8, 27);
    a.closeSubpath();
    a.moveTo(12, 16);
    a.lineTo(18, 16);
    a.lineTo(15, 7.5);
    a.closeSubpath();
    a.setFillRule(Qt::OddEvenFill);
    // A light rim keeps the letter readable on a dark toolbar.
    p.setPen(QPen(QColor(255, 255, 255, 170), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(a);
    p.setPen(QPen(kOutline, 1));
    p.setBrush(QColor(185, 45, 45));
    p.drawPath(a);
    p.setPen(QPen(kBlue, 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(3, 30), QPointF(29, 30));
}

void DrawAbout(QPainter& p) {
    p.setPen(QPen(kBlue.darker(130), 1.5));
    p.setBrush(kBlue);
    p.drawEllipse(QRectF(3, 3, 26, 26));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(16, 9.5), 2.3, 2.3);
    p.drawRoundedRect(QRectF(14, 13.5, 4, 11), 1, 1);
}

void DrawTruck(QPainter& p) {
    // Body and cab.
    p.setPen(Outline(1.2));
    p.setBrush(QColor(210, 40, 40));
    QPainterPath body;
    body.moveTo(2, 17);
    body.lineTo(2, 12);
    body.lineTo(12, 12);
    body.lineTo(15, 6);
    body.lineTo(23, 6);
    body.lineTo(26, 12);
    body.lineTo(30, 13);
    body.lineTo(30, 17);
    body.closeSubpath();
    p.drawPath(body);
    p.setBrush(QColor(170, 220, 250));
    QPainterPath window;
    window.moveTo(16, 11.5);
    window.lineTo(17.5, 8);
    window.lineTo(22, 8);
    window.lineTo(24, 11.5);
    window.closeSubpath();
    p.drawPath(window);
    // The big wheels.
    for (double x : {8.5, 23.5}) {
        p.setPen(Outline(1));
        p.setBrush(QColor(35, 35, 35));
        p.drawEllipse(QPointF(x, 22.5), 7, 7);
        p.setBrush(QColor(190, 190, 190));
        p.drawEllipse(QPointF(x, 22.5), 2.8, 2.8);
    }
}

}  // namespace

QIcon ToolbarIcon(int index) {
    static const Drawing kDrawings[] = {DrawNewList, DrawOpen,  DrawSave,  DrawSaveAs,
                                        DrawRefresh, DrawCopy,  DrawPaths, DrawRegistry,
                                        DrawNotepad, DrawFonts, DrawAbout};
    if (index < 0 || index >= static_cast<int>(std::size(kDrawings))) {
        return {};
    }
    return Render(kDrawings[index]);
}

QIcon ProgramIcon() {
    return Render(DrawTruck);
}

void UseProgramIcon() {
    static bool used = false;
    if (!used) {
        used = true;
        QApplication::setWindowIcon(ProgramIcon());
    }
}

}  // namespace marvok::ui
