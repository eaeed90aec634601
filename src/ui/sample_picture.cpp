#include "ui/sample_picture.hpp"

#include <QPainter>

namespace lumivel {

SamplePicture::SamplePicture(QWidget* parent) : QWidget(parent), fondo_(Qt::white) {
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
    image_.fill(fondo_);
}

void SamplePicture::setFondo(const QColor& fondo) {
    fondo_ = fondo;
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
    QPainter painter(&image_);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    // A circle outline drawn with a pen p wide covers a disc of radius r + p/2; a point
    // drawn with a pen q wide covers a dot q pixels across.
    const QPointF centre(stroke.x + 0.5, stroke.y + 0.5);
    const qreal ringRadius = stroke.radio + stroke.penAnillo / 2.0;
    painter.setBrush(QColor(stroke.anillo.r, stroke.anillo.g, stroke.anillo.b));
    painter.drawEllipse(centre, ringRadius, ringRadius);
    const qreal dotRadius = stroke.penPunto / 2.0;
    painter.setBrush(QColor(stroke.centro.r, stroke.centro.g, stroke.centro.b));
    painter.drawEllipse(centre, dotRadius, dotRadius);
    painter.end();
    update();
}

void SamplePicture::erase() {
    image_.fill(fondo_);
    update();
}

void SamplePicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), image_);
}

} // namespace lumivel
