#pragma once
#include "display/sign_surface.hpp"

#include <QRect>

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

} // namespace lumivel
