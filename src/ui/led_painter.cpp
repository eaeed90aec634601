#include "ui/led_painter.hpp"

#include <QImage>
#include <QPainter>

namespace lumivel {
namespace {

QColor toQColor(Rgb c) {
    return QColor(c.r, c.g, c.b);
}

} // namespace

QRect paintLed(QImage& image, const LedStroke& stroke, EvenDot evenDot) {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    // A circle outline of radius r drawn with a pen p wide covers a disc r + p/2 across
    // its radius; the point with a pen q wide covers a dot q pixels across.
    const QPointF centre(stroke.x + 0.5, stroke.y + 0.5);
    const qreal ringRadius = stroke.radius + stroke.ringPen / 2.0;
    painter.setBrush(toQColor(stroke.anillo));
    painter.drawEllipse(centre, ringRadius, ringRadius);
    const qreal dotRadius = stroke.dotPen / 2.0;
    const bool onCorner = evenDot == EvenDot::OnCorner && stroke.dotPen % 2 == 0;
    painter.setBrush(toQColor(stroke.centro));
    painter.drawEllipse(onCorner ? QPointF(stroke.x, stroke.y) : centre, dotRadius, dotRadius);
    const int reach = static_cast<int>(ringRadius) + 2;
    return QRect(stroke.x - reach, stroke.y - reach, 2 * reach + 1, 2 * reach + 1);
}

} // namespace lumivel
