#include "emblem.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace tro {
namespace {

// The drawing is made on a 100 x 130 grid and scaled into the area.
constexpr qreal kGridWidth = 100;
constexpr qreal kGridHeight = 130;

QLinearGradient gold(qreal left, qreal right) {
    QLinearGradient g(left, 0, right, 0);
    g.setColorAt(0.0, QColor(122, 90, 0));
    g.setColorAt(0.3, QColor(255, 216, 74));
    g.setColorAt(0.45, QColor(255, 243, 168));
    g.setColorAt(0.7, QColor(212, 160, 23));
    g.setColorAt(1.0, QColor(110, 80, 0));
    return g;
}

QPainterPath star(QPointF centre, qreal outer, qreal inner) {
    QPainterPath path;
    for (int i = 0; i < 10; ++i) {
        const qreal r = i % 2 == 0 ? outer : inner;
        const qreal angle = qDegreesToRadians(-90.0 + 36.0 * i);
        const QPointF p(centre.x() + r * qCos(angle), centre.y() + r * qSin(angle));
        if (i == 0) {
            path.moveTo(p);
        } else {
            path.lineTo(p);
        }
    }
    path.closeSubpath();
    return path;
}

}  // namespace

void paintEmblem(QPainter& painter, const QRectF& area) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal scale = qMin(area.width() / kGridWidth, area.height() / kGridHeight);
    painter.translate(area.center().x() - kGridWidth * scale / 2,
                      area.center().y() - kGridHeight * scale / 2);
    painter.scale(scale, scale);

    const QColor outline(90, 60, 0);
    painter.setPen(QPen(outline, 1.2));

    // Handles behind the bowl.
    painter.setBrush(Qt::NoBrush);
    for (const int side : {-1, 1}) {
        QPainterPath handle;
        handle.moveTo(50 + side * 30, 22);
        handle.cubicTo(50 + side * 50, 20, 50 + side * 50, 50, 50 + side * 20, 55);
        painter.setPen(QPen(outline, 7, Qt::SolidLine, Qt::RoundCap));
        painter.drawPath(handle);
        painter.setPen(QPen(QColor(240, 196, 40), 4, Qt::SolidLine, Qt::RoundCap));
        painter.drawPath(handle);
    }
    painter.setPen(QPen(outline, 1.2));

    // Stand: stem, knot and a two-step base.
    painter.setBrush(gold(40, 60));
    painter.drawPolygon(QPolygonF({{46, 66}, {54, 66}, {56, 94}, {44, 94}}));
    painter.drawEllipse(QRectF(39, 84, 22, 8));
    painter.setBrush(gold(30, 70));
    painter.drawRoundedRect(QRectF(31, 94, 38, 11), 2, 2);
    painter.setBrush(QColor(120, 40, 20));
    painter.drawRoundedRect(QRectF(24, 105, 52, 16), 3, 3);
    painter.setPen(QPen(QColor(255, 216, 74), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(30, 109, 40, 8));
    painter.setPen(QPen(outline, 1.2));

    // Bowl with its rim.
    QPainterPath bowl;
    bowl.moveTo(18, 14);
    bowl.lineTo(82, 14);
    bowl.cubicTo(82, 50, 66, 68, 50, 70);
    bowl.cubicTo(34, 68, 18, 50, 18, 14);
    painter.setBrush(gold(18, 82));
    painter.drawPath(bowl);
    painter.setBrush(QColor(176, 126, 10));
    painter.drawEllipse(QRectF(18, 10, 64, 8));

    // A star on the bowl.
    painter.setBrush(QColor(200, 30, 30));
    painter.setPen(QPen(QColor(255, 243, 168), 1));
    painter.drawPath(star({50, 37}, 12, 5));
    painter.restore();
}

Emblem::Emblem(QWidget* parent) : QWidget(parent) {}

void Emblem::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintEmblem(painter, QRectF(rect()).adjusted(2, 2, -2, -2));
}

}  // namespace tro
