// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "display/shown_sign.hpp"
#include "ui/led_painter.hpp"

#include <QImage>
#include <QWidget>

#include <array>

namespace lumivel {

// The sign surface `Pic`: keeps what was drawn in an image, like a picture box, and paints
// it. The image follows the device pixel ratio so LEDs stay sharp on dense screens. An LED
// drawn again as it already is, is neither painted nor repainted on screen: a keystroke
// redraws all 512 LEDs but changes only a few.
class SignWidget : public QWidget, public SignSurface {
    Q_OBJECT
  public:
    explicit SignWidget(QWidget* parent = nullptr);

    void setSize(int width, int height) override;
    void drawLed(const LedStroke& stroke) override;
    void erase() override;

    // What is shown, LED by LED, as a person sees it.
    const ShownSign& shown() const { return shown_; }
    const QImage& image() const { return image_; }
    // What the sign says, in words, for screen readers: they cannot read the LEDs.
    void describe(const QString& shown);

  signals:
    void pressed(Qt::MouseButton button, QPointF position);
    void moved(Qt::MouseButtons buttons, QPointF position);
    void released(Qt::MouseButton button);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    // The last stroke painted at one of the visible LEDs, and the area it covered.
    struct PaintedLed {
        LedStroke stroke;
        QRect area;
        bool valid = false;
    };

    void allocateImage(int width, int height);
    void forgetPainted();
    bool alreadyShown(const LedStroke& stroke) const;
    void remember(const LedStroke& stroke, QRect area);

    QImage image_;
    ShownSign shown_;
    LedSprites sprites_;
    std::array<std::array<PaintedLed, ShownSign::kRows>, ShownSign::kColumns> painted_{};
    // Once two LEDs overlap, the order they are painted in shows, so every LED is painted.
    bool overlapping_ = false;
};

} // namespace lumivel
