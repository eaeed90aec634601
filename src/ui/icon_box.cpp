// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/icon_box.hpp"

#include <QMouseEvent>

namespace lumivel {

IconBox::IconBox(QWidget* parent) : QLabel(parent) {
    setAlignment(Qt::AlignCenter);
    setAutoFillBackground(true);
}

void IconBox::mousePressEvent(QMouseEvent* event) {
    pressedButtons_ = event->button() == Qt::LeftButton;
    event->accept();
}

void IconBox::mouseReleaseEvent(QMouseEvent* event) {
    const bool inside = rect().contains(event->position().toPoint());
    const bool wasClick = pressedButtons_ && event->button() == Qt::LeftButton && inside;
    pressedButtons_ = false;
    event->accept();
    if (wasClick && isEnabled() && isVisible()) {
        emit clicked();
    }
}

} // namespace lumivel
