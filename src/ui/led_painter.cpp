#include "ui/led_painter.hpp"

#include <QImage>

#include <algorithm>
#include <cmath>

namespace lumivel {
namespace {

// Sets every pixel whose centre lies strictly inside the circle, in device pixels. Filled
// pixel by pixel rather than by the painter's ellipse, whose rasterisation of such small
// circles is lopsided (a 10-pixel-high ring, a 3-pixel-high dot).
void fillDisc(QImage& image, QPointF centre, qreal radius, QRgb colour) {
    const int top = std::max(0, static_cast<int>(std::floor(centre.y() - radius)));
    const int bottom =
        std::min(image.height() - 1, static_cast<int>(std::ceil(centre.y() + radius)));
    for (int row = top; row <= bottom; ++row) {
        const qreal dy = row + 0.5 - centre.y();
        const qreal reachSquared = radius * radius - dy * dy;
        if (reachSquared <= 0) {
            continue;
        }
        const qreal reach = std::sqrt(reachSquared);
        const int first = std::max(0, static_cast<int>(std::floor(centre.x() - reach - 0.5)) + 1);
        const int last =
            std::min(image.width() - 1, static_cast<int>(std::ceil(centre.x() + reach - 0.5)) - 1);
        if (first > last) {
            continue;
        }
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(row));
        std::fill(line + first, line + last + 1, colour);
    }
}

QRgb toQRgb(Rgb c) {
    return qRgb(c.r, c.g, c.b);
}

} // namespace

QRect paintLed(QImage& image, const LedStroke& stroke, EvenDot evenDot) {
    const qreal ratio = image.devicePixelRatio();
    // A circle outline of radius r drawn with a pen p wide covers a disc r + p/2 across
    // its radius; the point with a pen q wide covers a dot q pixels across.
    const QPointF pixelCentre(stroke.x + 0.5, stroke.y + 0.5);
    const qreal ringRadius = stroke.radius + stroke.ringPen / 2.0;
    fillDisc(image, pixelCentre * ratio, ringRadius * ratio, toQRgb(stroke.anillo));
    const bool onCorner = evenDot == EvenDot::OnCorner && stroke.dotPen % 2 == 0;
    const QPointF dotCentre = onCorner ? QPointF(stroke.x, stroke.y) : pixelCentre;
    fillDisc(image, dotCentre * ratio, stroke.dotPen / 2.0 * ratio, toQRgb(stroke.centro));
    const int reach = static_cast<int>(ringRadius) + 2;
    return QRect(stroke.x - reach, stroke.y - reach, 2 * reach + 1, 2 * reach + 1);
}

} // namespace lumivel
