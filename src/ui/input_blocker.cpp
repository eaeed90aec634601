// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/input_blocker.hpp"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QKeyEvent>
#include <QWidget>
#include <QWindow>

namespace lumivel {
namespace {

// The top-level widget an event's receiver belongs to: its own window, or for an action or
// a shortcut the window of the widget that owns it.
QWidget* windowOf(QObject* receiver) {
    for (QObject* object = receiver; object != nullptr; object = object->parent()) {
        if (auto* widget = qobject_cast<QWidget*>(object)) {
            return widget->window();
        }
        if (auto* handle = qobject_cast<QWindow*>(object)) {
            for (QWidget* window : QApplication::topLevelWidgets()) {
                if (window->windowHandle() == handle) {
                    return window;
                }
            }
            return nullptr;
        }
    }
    return nullptr;
}

} // namespace

InputBlocker::InputBlocker(QWidget* keepsInput, QObject* parent)
    : QObject(parent), keepsInput_(keepsInput), exempting_(keepsInput != nullptr) {
    QCoreApplication::instance()->installEventFilter(this);
}

InputBlocker::~InputBlocker() {
    QCoreApplication::instance()->removeEventFilter(this);
}

bool InputBlocker::isUserInput(const QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::ShortcutOverride:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::TabletMove:
    case QEvent::NativeGesture:
    case QEvent::Gesture:
    case QEvent::InputMethod:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        return true;
    default:
        return false;
    }
}

bool InputBlocker::keepsInput(QObject* receiver) const {
    if (!exempting_) {
        return false;
    }
    QWidget* window = windowOf(receiver);
    return window != nullptr &&
           (window == keepsInput_.data() || qobject_cast<QDialog*>(window) != nullptr);
}

bool InputBlocker::eventFilter(QObject* watched, QEvent* event) {
    if (isUserInput(event)) {
        if (keepsInput(watched)) {
            return false;
        }
        if (onEscape_ && event->type() == QEvent::KeyPress &&
            static_cast<const QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            onEscape_();
        }
        // Accepted, so the event goes no further up the parents or into a shortcut.
        event->accept();
        return true;
    }
    if (event->type() == QEvent::Close && exempting_ && !keepsInput(watched)) {
        event->ignore(); // an ignored close event keeps the window open
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace lumivel
