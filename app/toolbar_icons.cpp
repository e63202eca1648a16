#include "app/toolbar_icons.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace vgr47 {

namespace {

// Every picture is drawn on a 24 x 24 grid and scaled to the size asked for.
constexpr double kGrid = 24.0;

class Pen {
  public:
    explicit Pen(bool disabled) : disabled_(disabled) {}
    // Greyed pictures keep their shapes and lose their colours.
    QColor operator()(const QColor& c) const {
        if (!disabled_) return c;
        const int grey = 120 + qGray(c.rgb()) / 3;
        return QColor(grey, grey, grey);
    }

  private:
    bool disabled_;
};

void Outline(QPainter& p, const QColor& colour, double width = 1.2) {
    QPen pen(colour, width);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    p.setPen(pen);
}

void Arrow(QPainter& p, const Pen& c, const QColor& colour, QPointF from, QPointF to) {
    // A thick shaft and a filled head at `to`.
    const QLineF shaft(from, to);
    const QLineF unit = shaft.unitVector();
    const QPointF d(unit.dx(), unit.dy()), n(-unit.dy(), unit.dx());
    const QPointF base = to - d * 6.0;
    Outline(p, c(colour), 3.0);
    p.drawLine(from, base + d);
    p.setPen(Qt::NoPen);
    p.setBrush(c(colour));
    p.drawPolygon(QPolygonF({to, base + n * 5.0, base - n * 5.0}));
}

void Radio(QPainter& p, const Pen& c, double x) {
    Outline(p, c(QColor(40, 40, 40)), 2.0);
    p.drawLine(QPointF(x + 2.5, 7), QPointF(x + 2.5, 1.5));
    Outline(p, c(QColor(30, 30, 30)));
    p.setBrush(c(QColor(80, 80, 85)));
    p.drawRoundedRect(QRectF(x, 6.5, 9, 16), 1.8, 1.8);
    p.setPen(Qt::NoPen);
    p.setBrush(c(QColor(150, 205, 235)));
    p.drawRect(QRectF(x + 1.8, 9, 5.4, 4));
    p.setBrush(c(QColor(190, 190, 190)));
    for (int row = 0; row < 3; ++row) p.drawRect(QRectF(x + 2, 15 + row * 2.3, 5, 1.2));
}

void Draw(QPainter& p, ToolIcon icon, const Pen& c) {
    p.setRenderHint(QPainter::Antialiasing);
    switch (icon) {
        case ToolIcon::New: {
            Outline(p, c(QColor(70, 70, 70)));
            p.setBrush(c(Qt::white));
            p.drawPolygon(
                QPolygonF({{4.5, 1.5}, {14.5, 1.5}, {19.5, 6.5}, {19.5, 22.5}, {4.5, 22.5}}));
            p.setBrush(c(QColor(215, 215, 215)));
            p.drawPolygon(QPolygonF({{14.5, 1.5}, {14.5, 6.5}, {19.5, 6.5}}));
            p.setPen(Qt::NoPen);
            p.setBrush(c(QColor(40, 150, 60)));
            p.drawEllipse(QPointF(17.5, 17.5), 5.5, 5.5);
            Outline(p, c(Qt::white), 2.0);
            p.drawLine(QPointF(17.5, 14.5), QPointF(17.5, 20.5));
            p.drawLine(QPointF(14.5, 17.5), QPointF(20.5, 17.5));
            break;
        }
        case ToolIcon::Open: {
            Outline(p, c(QColor(150, 105, 20)));
            p.setBrush(c(QColor(225, 170, 50)));
            p.drawPolygon(QPolygonF(
                {{1.5, 4.5}, {8.5, 4.5}, {10.5, 6.5}, {20.5, 6.5}, {20.5, 20.5}, {1.5, 20.5}}));
            p.setBrush(c(QColor(250, 210, 95)));
            p.drawPolygon(QPolygonF({{1.5, 20.5}, {5, 10.5}, {23, 10.5}, {19.5, 20.5}}));
            break;
        }
        case ToolIcon::Save: {
            Outline(p, c(QColor(25, 55, 110)));
            p.setBrush(c(QColor(55, 105, 185)));
            p.drawRoundedRect(QRectF(2.5, 2.5, 19, 19), 2, 2);
            p.setPen(Qt::NoPen);
            p.setBrush(c(QColor(225, 230, 240)));
            p.drawRect(QRectF(6.5, 2.5, 11, 7));
            p.setBrush(c(QColor(25, 55, 110)));
            p.drawRect(QRectF(13.5, 3.5, 2.5, 5));
            p.setBrush(c(Qt::white));
            p.drawRect(QRectF(5.5, 12.5, 13, 9));
            break;
        }
        case ToolIcon::Undo:
        case ToolIcon::Redo: {
            if (icon == ToolIcon::Redo) {
                p.translate(kGrid, 0);
                p.scale(-1, 1);
            }
            const QColor blue(35, 95, 175);
            QPainterPath arc;
            arc.moveTo(20, 19);
            arc.cubicTo(20, 10, 15, 6.5, 11, 6.5);
            arc.lineTo(8.5, 6.5);
            Outline(p, c(blue), 3.0);
            p.setBrush(Qt::NoBrush);
            p.drawPath(arc);
            p.setPen(Qt::NoPen);
            p.setBrush(c(blue));
            p.drawPolygon(QPolygonF({{2, 6.5}, {9.5, 1}, {9.5, 12}}));
            break;
        }
        case ToolIcon::ReadData:
            Radio(p, c, 13.5);
            Arrow(p, c, QColor(30, 145, 60), {12, 14}, {1.5, 14});
            break;
        case ToolIcon::WriteData:
            Radio(p, c, 13.5);
            Arrow(p, c, QColor(210, 85, 30), {1.5, 14}, {12.5, 14});
            break;
        case ToolIcon::Program:
            p.translate(-6.5, 0);
            Radio(p, c, 13.5);
            break;
        case ToolIcon::Help: {
            Outline(p, c(QColor(20, 70, 150)));
            p.setBrush(c(QColor(45, 115, 205)));
            p.drawEllipse(QPointF(12, 12), 10.5, 10.5);
            QPainterPath mark;
            mark.moveTo(8.5, 9.5);
            mark.cubicTo(8.5, 5.5, 15.5, 5.5, 15.5, 9.5);
            mark.cubicTo(15.5, 12, 12, 12, 12, 15);
            Outline(p, c(Qt::white), 2.6);
            p.setBrush(Qt::NoBrush);
            p.drawPath(mark);
            p.setPen(Qt::NoPen);
            p.setBrush(c(Qt::white));
            p.drawEllipse(QPointF(12, 18.5), 1.6, 1.6);
            break;
        }
        case ToolIcon::Exit: {
            Outline(p, c(QColor(90, 55, 25)));
            p.setBrush(c(QColor(165, 110, 60)));
            p.drawRect(QRectF(3.5, 1.5, 11, 21));
            p.setPen(Qt::NoPen);
            p.setBrush(c(QColor(245, 215, 120)));
            p.drawEllipse(QPointF(12, 12.5), 1.2, 1.2);
            Arrow(p, c, QColor(200, 40, 40), {9, 12.5}, {23, 12.5});
            break;
        }
    }
}

class DrawnIconEngine : public QIconEngine {
  public:
    explicit DrawnIconEngine(ToolIcon icon) : icon_(icon) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
        painter->save();
        const int side = qMin(rect.width(), rect.height());
        painter->translate(rect.x() + (rect.width() - side) / 2.0,
                           rect.y() + (rect.height() - side) / 2.0);
        painter->scale(side / kGrid, side / kGrid);
        Draw(*painter, icon_, Pen(mode == QIcon::Disabled));
        painter->restore();
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        // Asked for at the device's pixel size (48 x 48 at 2x), so nothing is scaled up later.
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        return pixmap;
    }

    QIconEngine* clone() const override { return new DrawnIconEngine(icon_); }
    QString key() const override { return QStringLiteral("vgr47-drawn"); }

  private:
    ToolIcon icon_;
};

}  // namespace

QIcon ToolbarIcon(ToolIcon icon) { return QIcon(new DrawnIconEngine(icon)); }

}  // namespace vgr47
