// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/sign_widget.hpp"

#include "display/sign.hpp"
#include "ui/led_painter.hpp"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <tuple>

namespace lumivel {
namespace {

// Background: the system colour for menu text, black in the standard scheme.
const QColor kBackground(0, 0, 0);

bool sameStroke(const LedStroke& a, const LedStroke& b) {
    return std::tie(a.column, a.row, a.x, a.y, a.radius, a.ringPen, a.ring, a.dotPen, a.centre,
                    a.lit) == std::tie(b.column, b.row, b.x, b.y, b.radius, b.ringPen, b.ring,
                                       b.dotPen, b.centre, b.lit);
}

bool visible(const LedStroke& stroke) {
    return stroke.column >= 0 && stroke.column < ShownSign::kColumns && stroke.row >= 0 &&
           stroke.row < ShownSign::kRows;
}

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
    image_.fill(kBackground);
    forgetPainted();
}

void SignWidget::forgetPainted() {
    painted_ = {};
    overlapping_ = false;
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
    shown_.drawLed(stroke);
    if (alreadyShown(stroke)) {
        return;
    }
    const QRect changed = sprites_.paint(image_, stroke, EvenDot::OnCorner);
    remember(stroke, changed);
    update(changed);
}

bool SignWidget::alreadyShown(const LedStroke& stroke) const {
    if (overlapping_ || !visible(stroke)) {
        return false;
    }
    const PaintedLed& led = painted_[stroke.column][stroke.row];
    return led.valid && sameStroke(led.stroke, stroke);
}

void SignWidget::remember(const LedStroke& stroke, QRect area) {
    if (!visible(stroke)) {
        overlapping_ = true; // it may lie anywhere
        return;
    }
    for (int column = stroke.column - 1; column <= stroke.column + 1; ++column) {
        for (int row = stroke.row - 1; row <= stroke.row + 1; ++row) {
            const bool neighbour = (column != stroke.column || row != stroke.row) && column >= 0 &&
                                   column < ShownSign::kColumns && row >= 0 &&
                                   row < ShownSign::kRows;
            if (neighbour && painted_[column][row].valid &&
                painted_[column][row].area.intersects(area)) {
                overlapping_ = true;
            }
        }
    }
    painted_[stroke.column][stroke.row] = {stroke, area, true};
}

void SignWidget::erase() {
    image_.fill(kBackground);
    shown_.erase();
    forgetPainted();
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
