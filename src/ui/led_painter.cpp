// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/led_painter.hpp"

#include <QImage>

#include <algorithm>
#include <cmath>

namespace lumivel {
namespace {

// Calls fill(row, first, last) for each run of pixels whose centre lies strictly inside the
// circle, in device pixels, kept within width x height. Worked out pixel by pixel rather than
// by the painter's ellipse, whose rasterisation of such small circles is lopsided (a
// 10-pixel-high ring, a 3-pixel-high dot).
template <typename Fill>
void forEachDiscRun(QPointF centre, qreal radius, int width, int height, Fill fill) {
    const int top = std::max(0, static_cast<int>(std::floor(centre.y() - radius)));
    const int bottom = std::min(height - 1, static_cast<int>(std::ceil(centre.y() + radius)));
    for (int row = top; row <= bottom; ++row) {
        const qreal dy = row + 0.5 - centre.y();
        const qreal reachSquared = radius * radius - dy * dy;
        if (reachSquared <= 0) {
            continue;
        }
        const qreal reach = std::sqrt(reachSquared);
        const int first = std::max(0, static_cast<int>(std::floor(centre.x() - reach - 0.5)) + 1);
        const int last =
            std::min(width - 1, static_cast<int>(std::ceil(centre.x() + reach - 0.5)) - 1);
        if (first <= last) {
            fill(row, first, last);
        }
    }
}

void fillDisc(QImage& image, QPointF centre, qreal radius, QRgb colour) {
    forEachDiscRun(centre, radius, image.width(), image.height(),
                   [&](int row, int first, int last) {
                       auto* line = reinterpret_cast<QRgb*>(image.scanLine(row));
                       std::fill(line + first, line + last + 1, colour);
                   });
}

QRgb toQRgb(Rgb c) {
    return qRgb(c.r, c.g, c.b);
}

// The ring and the dot of one LED, in device pixels.
struct LedDiscs {
    QPointF ringCentre;
    qreal ringRadius = 0;
    QPointF dotCentre;
    qreal dotRadius = 0;
};

LedDiscs discsOf(const LedStroke& stroke, EvenDot evenDot, qreal ratio) {
    // A circle outline of radius r drawn with a pen p wide covers a disc r + p/2 across
    // its radius; the point with a pen q wide covers a dot q pixels across.
    const QPointF pixelCentre(stroke.x + 0.5, stroke.y + 0.5);
    const bool onCorner = evenDot == EvenDot::OnCorner && stroke.dotPen % 2 == 0;
    const QPointF dotCentre = onCorner ? QPointF(stroke.x, stroke.y) : pixelCentre;
    return {pixelCentre * ratio, (stroke.radius + stroke.ringPen / 2.0) * ratio, dotCentre * ratio,
            stroke.dotPen / 2.0 * ratio};
}

} // namespace

QRect paintLed(QImage& image, const LedStroke& stroke, EvenDot evenDot) {
    const LedDiscs discs = discsOf(stroke, evenDot, image.devicePixelRatio());
    fillDisc(image, discs.ringCentre, discs.ringRadius, toQRgb(stroke.ring));
    fillDisc(image, discs.dotCentre, discs.dotRadius, toQRgb(stroke.centre));
    const int reach = static_cast<int>(stroke.radius + stroke.ringPen / 2.0) + 2;
    return QRect(stroke.x - reach, stroke.y - reach, 2 * reach + 1, 2 * reach + 1);
}

bool LedSprites::Look::operator==(const Look& other) const {
    return ring == other.ring && dot == other.dot && ringRadius == other.ringRadius &&
           dotRadius == other.dotRadius && ringOffset.x() == other.ringOffset.x() &&
           ringOffset.y() == other.ringOffset.y() && dotOffset.x() == other.dotOffset.x() &&
           dotOffset.y() == other.dotOffset.y(); // exactly: QPointF's own == is fuzzy
}

QRect LedSprites::paint(QImage& image, const LedStroke& stroke, EvenDot evenDot) {
    const qreal ratio = image.devicePixelRatio();
    const LedDiscs discs = discsOf(stroke, evenDot, ratio);
    // Runs are kept relative to the device pixel holding the ring's centre; LEDs whose
    // centres sit alike within their pixels share them.
    const QPoint origin(static_cast<int>(std::floor(discs.ringCentre.x())),
                        static_cast<int>(std::floor(discs.ringCentre.y())));
    const Look look{toQRgb(stroke.ring),
                    toQRgb(stroke.centre),
                    discs.ringRadius,
                    discs.dotRadius,
                    discs.ringCentre - QPointF(origin),
                    discs.dotCentre - QPointF(origin)};
    const Sprite& sprite = spriteFor(look);
    QRect device;
    for (const Run& run : sprite.runs) {
        const int row = origin.y() + run.row;
        const int first = std::max(0, origin.x() + run.first);
        const int last = std::min(image.width() - 1, origin.x() + run.last);
        if (row < 0 || row >= image.height() || first > last) {
            continue;
        }
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(row));
        std::fill(line + first, line + last + 1, run.colour);
        device |= QRect(first, row, last - first + 1, 1);
    }
    return QRectF(QRectF(device).topLeft() / ratio, QRectF(device).size() / ratio).toAlignedRect();
}

const LedSprites::Sprite& LedSprites::spriteFor(const Look& look) {
    const auto found = std::find_if(sprites_.begin(), sprites_.end(),
                                    [&](const Sprite& sprite) { return sprite.look == look; });
    if (found != sprites_.end()) {
        return *found;
    }
    // A colour dragged along its slider leaves many looks behind; only the last few matter.
    constexpr std::size_t kMostKept = 16;
    if (sprites_.size() == kMostKept) {
        sprites_.clear();
    }
    // Worked out away from the image's edges, by a margin wider than any disc, then moved
    // back: the same runs the plain painter fills, pixel for pixel.
    const int margin = static_cast<int>(std::ceil(std::max(look.ringRadius, look.dotRadius))) + 2;
    const QPointF shift(margin, margin);
    Sprite sprite{look, {}};
    const auto collect = [&](QRgb colour) {
        return [&sprite, margin, colour](int row, int first, int last) {
            sprite.runs.push_back({row - margin, first - margin, last - margin, colour});
        };
    };
    const int extent = 2 * margin + 1;
    forEachDiscRun(look.ringOffset + shift, look.ringRadius, extent, extent, collect(look.ring));
    forEachDiscRun(look.dotOffset + shift, look.dotRadius, extent, extent, collect(look.dot));
    sprites_.push_back(std::move(sprite));
    return sprites_.back();
}

} // namespace lumivel
