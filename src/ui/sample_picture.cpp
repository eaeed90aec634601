// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/sample_picture.hpp"

#include "ui/led_painter.hpp"

#include <QPainter>

namespace lumivel {

SamplePicture::SamplePicture(QWidget* parent) : QWidget(parent), background_(Qt::white) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    allocateImage();
}

void SamplePicture::allocateImage() {
    const qreal ratio = devicePixelRatioF();
    const QSize size(qMax(1, qRound(width() * ratio)), qMax(1, qRound(height() * ratio)));
    if (image_.size() == size && image_.devicePixelRatio() == ratio) {
        return;
    }
    // A new size starts blank, as a resized picture box does; its owner redraws.
    image_ = QImage(size, QImage::Format_RGB32);
    image_.setDevicePixelRatio(ratio);
    image_.fill(background_);
}

void SamplePicture::setBackground(const QColor& background) {
    background_ = background;
    erase();
}

void SamplePicture::setSize(int width, int height) {
    setFixedSize(width, height);
}

void SamplePicture::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    allocateImage();
}

void SamplePicture::drawLed(const LedStroke& stroke) {
    // The geometry may have changed before the resize event arrives.
    allocateImage();
    paintLed(image_, stroke, EvenDot::OnPixel);
    update();
}

void SamplePicture::erase() {
    image_.fill(background_);
    update();
}

void SamplePicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), image_);
}

} // namespace lumivel
