// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace lumivel {

struct Rgb {
    int r = 0;
    int g = 0;
    int b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// One LED as the sign draws it: a ring (a circle outline drawn with a thick pen)
// and a centre dot (a single point drawn with a thinner pen).
struct LedStroke {
    int column = 0;
    int row = 0;
    int x = 0; // centre, surface pixels
    int y = 0;
    double radius = 0;
    int ringPen = 0; // pen width of the ring, pixels
    Rgb ring;
    int dotPen = 0; // pen width of the centre dot, pixels
    Rgb centre;
    bool lit = false;
};

// The drawing surface of the sign. Like a picture box it keeps what was drawn
// until it is erased; the sign never reads it back.
class SignSurface {
  public:
    virtual ~SignSurface() = default;
    virtual void setSize(int width, int height) = 0;
    virtual void drawLed(const LedStroke& stroke) = 0;
    // Repaints the background only, as refreshing a picture box does.
    virtual void erase() = 0;
};

} // namespace lumivel
