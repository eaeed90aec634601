// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "display/sign_surface.hpp"

#include <QColor>
#include <QImage>
#include <QWidget>

namespace lumivel {

// The sample area `Pic` of the colour window: keeps what was drawn on a background of
// the skin's colour, like a picture box, and paints it.
class SamplePicture : public QWidget, public SignSurface {
    Q_OBJECT
  public:
    explicit SamplePicture(QWidget* parent = nullptr);

    void setBackground(const QColor& background);
    QColor background() const { return background_; }

    void setSize(int width, int height) override;
    void drawLed(const LedStroke& stroke) override;
    void erase() override;

    const QImage& image() const { return image_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void allocateImage();

    QImage image_;
    QColor background_;
};

} // namespace lumivel
