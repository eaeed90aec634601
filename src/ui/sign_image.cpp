#include "ui/sign_image.hpp"

#include "display/sign.hpp"
#include "ui/led_painter.hpp"

namespace lumivel {
namespace {

class ImageSurface final : public SignSurface {
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

} // namespace

QImage signImage(const std::array<std::uint8_t, 64>& columns, QColor lit) {
    ImageSurface surface;
    Sign sign;
    sign.setSurface(&surface);
    sign.rojo = static_cast<std::int16_t>(lit.red());
    sign.verde = static_cast<std::int16_t>(lit.green());
    sign.azul = static_cast<std::int16_t>(lit.blue());
    sign.columnas = 63;
    sign.filas = 7;
    sign.escala = 3;
    sign.grosor = 2;
    sign.lumivel(63, 7, 3, 2);
    for (int k = 0; k < 64; ++k) {
        sign.cbin(columns[static_cast<std::size_t>(k)], k);
    }
    sign.mostrar();
    return surface.image();
}

} // namespace lumivel
