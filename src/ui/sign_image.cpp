// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/sign_image.hpp"

#include "drawing/picture_edit.hpp"
#include "session/startup.hpp"
#include "ui/led_painter.hpp"

namespace lumivel {
namespace {

// The window's surface without the widget, so the image needs no display.
class ImageSurface : public SignSurface {
  public:
    void setSize(int width, int height) override {
        image_ = QImage(width, height, QImage::Format_RGB32);
        erase();
    }
    void drawLed(const LedStroke& stroke) override { paintLed(image_, stroke, EvenDot::OnCorner); }
    void erase() override { image_.fill(Qt::black); }

    const QImage& image() const { return image_; }

  private:
    QImage image_;
};

// The sign's geometry as the window starts it, worked out once: the image is drawn often
// (every frame of an animation).
const Sign& startedSign() {
    static const Sign sign = [] {
        Lumivel l;
        startUp(l, ".");
        Sign copy = l.sign;
        copy.setSurface(nullptr);
        return copy;
    }();
    return sign;
}

} // namespace

QImage signImage(const std::array<std::uint8_t, 64>& columns, QColor lit) {
    ImageSurface surface;
    surface.setSize(Sign::kSurfaceWidth, Sign::kSurfaceHeight);
    Sign sign = startedSign();
    sign.setSurface(&surface);
    sign.rojo = static_cast<std::int16_t>(lit.red());
    sign.verde = static_cast<std::int16_t>(lit.green());
    sign.azul = static_cast<std::int16_t>(lit.blue());
    showPicture(sign, columns);
    return surface.image();
}

} // namespace lumivel
