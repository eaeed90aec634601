// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/accessible_names.hpp"

#include <QAccessible>
#include <QLabel>
#include <QWidget>

namespace lumivel {
namespace {

bool showsText(const QWidget* widget) {
    const auto* label = qobject_cast<const QLabel*>(widget);
    return label != nullptr && label->pixmap().isNull();
}

QString nameOf(QWidget* widget) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    return accessible == nullptr ? QString() : accessible->text(QAccessible::Name);
}

} // namespace

void nameControlsForAccessibility(QWidget& window) {
    // Parents come before their children, so a part finds its control already named.
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (showsText(widget) || !nameOf(widget).isEmpty()) {
            continue;
        }
        if (!widget->toolTip().isEmpty()) {
            widget->setAccessibleName(widget->toolTip());
        } else if (widget->parentWidget() != &window) {
            widget->setAccessibleName(nameOf(widget->parentWidget()));
        }
    }
}

} // namespace lumivel
