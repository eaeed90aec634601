// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Finds a window's control by its name, which is its object name; an element of a
// control array is Name_index. A missing control stops the test with the name instead of
// crashing later on a null pointer.
#include <QObject>
#include <QString>
#include <QWidget>

namespace lumivel::test {

template <typename T = QWidget> T* control(const QObject& window, const QString& name) {
    T* found = window.findChild<T*>(name);
    if (found == nullptr) {
        qFatal("no control named %s", qPrintable(name));
    }
    return found;
}

template <typename T = QWidget> T* control(const QObject& window, const QString& name, int index) {
    return control<T>(window, QStringLiteral("%1_%2").arg(name).arg(index));
}

} // namespace lumivel::test
