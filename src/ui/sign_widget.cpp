#include "ui/sign_widget.hpp"

#include "display/sign.hpp"
#include "ui/led_painter.hpp"

#include <QMouseEvent>
#include <QPainter>

namespace lumivel {
namespace {

// Background: the system colour for menu text, black in the standard scheme.
const QColor kFondo(0, 0, 0);

} // namespace

SignWidget::SignWidget(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setAccessibleName(QStringLiteral("Letrero"));
    allocateImage(Sign::kSurfaceWidth, Sign::kSurfaceHeight);
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
    const QRect changed = paintLed(image_, stroke, EvenDot::OnCorner);
    shown_.drawLed(stroke);
    update(changed);
}

void SignWidget::erase() {
    image_.fill(kFondo);
    shown_.erase();
    update();
}

void SignWidget::describe(const QString& shown) {
    // Setting it tells the screen reader; only a change is news.
    if (accessibleDescription() != shown) {
        setAccessibleDescription(shown);
    }
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

void SignWidget::mouseReleaseEvent(QMouseEvent* event) {
    emit released(event->button());
}

} // namespace lumivel
