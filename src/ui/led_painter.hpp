// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "display/sign_surface.hpp"

#include <QPointF>
#include <QRect>
#include <QRgb>

#include <vector>

class QImage;

namespace lumivel {

// Where a dot of even width sits. The sign puts it on the pixel corner, so it covers
// exactly that many pixels; the colour window's samples have always centred theirs on
// the LED's pixel, in the middle of the ring.
enum class EvenDot { OnCorner, OnPixel };

// Paints one LED the way the program has always drawn it: a ring (a circle outline drawn
// with a thick pen, so a disc) and a centre dot, both round. With the sign's pens that is
// an 11-pixel disc and a 4 x 4 dot. `image` is 32 bits per pixel (RGB32 or ARGB32).
// Returns the area it may have changed.
QRect paintLed(QImage& image, const LedStroke& stroke, EvenDot evenDot);

// Paints LEDs exactly as paintLed does, but works out the pixels of each look (colours, size,
// device pixel ratio, where the centre falls within its pixel) once and then only copies
// them: a sign repaints the same two looks hundreds of times.
class LedSprites {
  public:
    // Returns the area it changed: the LED's disc, clipped to the image.
    QRect paint(QImage& image, const LedStroke& stroke, EvenDot evenDot);

  private:
    struct Look {
        QRgb ring = 0;
        QRgb dot = 0;
        qreal ringRadius = 0; // device pixels
        qreal dotRadius = 0;
        QPointF ringOffset; // centres, from the corner of the ring centre's device pixel
        QPointF dotOffset;
        bool operator==(const Look& other) const;
    };
    // A run of one colour along a row, from the corner of the ring centre's device pixel.
    struct Run {
        int row = 0;
        int first = 0;
        int last = 0;
        QRgb colour = 0;
    };
    // The ring's runs, then the dot's, which paints over it.
    struct Sprite {
        Look look;
        std::vector<Run> runs;
    };

    const Sprite& spriteFor(const Look& look);

    std::vector<Sprite> sprites_;
};

} // namespace lumivel
