// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the window tests read back from the program's windows: the LEDs a sign shows and the
// one open window of a kind.
#include "ui/sign_widget.hpp"

#include <QApplication>
#include <QWidget>

namespace lumivel::test {

// The LEDs the sign shows lit.
inline int litCount(const SignWidget& pic) {
    int n = 0;
    for (int c = 0; c < 64; ++c) {
        for (int r = 0; r < 8; ++r) {
            n += pic.shown().lit(c, r) ? 1 : 0;
        }
    }
    return n;
}

// The shown window of its kind; null when there is none. Closed windows linger until
// deleted later, so only a visible one counts.
template <typename Window> Window* shownWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<Window*>(widget); window && window->isVisible()) {
            return window;
        }
    }
    return nullptr;
}

} // namespace lumivel::test
