#include "ui/sign_widget.hpp"

#include "display/sign.hpp"

#include <QMouseEvent>
#include <QPainter>

namespace lumivel {
namespace {

// Background: the system colour for menu text, black in the standard scheme.
const QColor kFondo(0, 0, 0);

QColor toQColor(Rgb c) {
    return QColor(c.r, c.g, c.b);
}

} // namespace

SignWidget::SignWidget(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    allocateImage(Sign::kAnchoSuperficie, Sign::kAltoSuperficie);
}

void SignWidget::allocateImage(int width, int height) {
    const qreal ratio = devicePixelRatioF();
    image_ = QImage(qRound(width * ratio), qRound(height * ratio), QImage::Format_RGB32);
    image_.setDevicePixelRatio(ratio);
    image_.fill(kFondo);
}

void SignWidget::setSize(int width, int height) {
    setFixedSize(width, height);
    allocateImage(width, height);
    shown_.setSize(width, height);
    shown_.erase();
    update();
}

void SignWidget::drawLed(const LedStroke& stroke) {
    if (image_.devicePixelRatio() != devicePixelRatioF()) {
        allocateImage(width(), height());
    }
    QPainter painter(&image_);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    // A circle outline of radius r drawn with a pen p wide covers a disc r + p/2 across
    // its radius; the point with a pen q wide covers a dot q pixels across.
    const QPointF centre(stroke.x + 0.5, stroke.y + 0.5);
    const qreal ringRadius = stroke.radio + stroke.penAnillo / 2.0;
    painter.setBrush(toQColor(stroke.anillo));
    painter.drawEllipse(centre, ringRadius, ringRadius);
    // An even-width dot is centred on the pixel corner so it covers exactly that many pixels.
    const qreal dotRadius = stroke.penPunto / 2.0;
    const QPointF dotCentre = stroke.penPunto % 2 == 0 ? QPointF(stroke.x, stroke.y) : centre;
    painter.setBrush(toQColor(stroke.centro));
    painter.drawEllipse(dotCentre, dotRadius, dotRadius);
    painter.end();
    shown_.drawLed(stroke);
    const int reach = static_cast<int>(ringRadius) + 2;
    update(stroke.x - reach, stroke.y - reach, 2 * reach + 1, 2 * reach + 1);
}

void SignWidget::erase() {
    image_.fill(kFondo);
    shown_.erase();
    update();
}

void SignWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), image_);
}

void SignWidget::mousePressEvent(QMouseEvent* event) {
    emit pressed(event->button(), event->position());
}

void SignWidget::mouseMoveEvent(QMouseEvent* event) {
    emit moved(event->buttons(), event->position());
}

} // namespace lumivel
