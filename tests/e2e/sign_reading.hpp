// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "app/offscreen_sign.hpp"

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QString>
#include <array>

// Reads the sign off a screenshot at its LED centres, the one pixel per LED whose colour the
// sign fixes exactly.
using LedGrid = std::array<std::array<bool, 8>, 64>;

inline QColor ledCentre(const QImage& shot, QPoint origin, int column, int row) {
    return shot.pixelColor(origin + QPoint(6 + 12 * column, 6 + 12 * row));
}

// Lit where the centre has the lit colour; anything else counts as unlit.
inline LedGrid readSign(const QImage& shot, QPoint origin, QColor lit = QColor(220, 220, 220)) {
    LedGrid grid{};
    for (int c = 0; c < 64; ++c) {
        for (int r = 0; r < 8; ++r) {
            grid[c][r] = ledCentre(shot, origin, c, r) == lit;
        }
    }
    return grid;
}

// The sign the program's own composition gives for `text` in font `font`.
inline LedGrid composed(int font, const QString& text) {
    lumivel::cli::OffscreenSign expected(font);
    expected.compose(text.toStdString());
    LedGrid grid{};
    for (int c = 0; c < 64; ++c) {
        for (int r = 0; r < 8; ++r) {
            grid[c][r] = expected.shown().lit(c, r);
        }
    }
    return grid;
}

// Every LED centre must be exactly the lit or the unlit colour, as `want` says.
inline QString differences(const QImage& shot, QPoint origin, const LedGrid& want,
                           QColor lit = QColor(220, 220, 220)) {
    QString report;
    for (int c = 0; c < 64; ++c) {
        for (int r = 0; r < 8; ++r) {
            const QColor seen = ledCentre(shot, origin, c, r);
            const QColor expected = want[c][r] ? lit : QColor(80, 80, 80);
            if (seen != expected) {
                report += QString("LED (%1,%2) is %3, expected %4; ")
                              .arg(c)
                              .arg(r)
                              .arg(seen.name(), expected.name());
            }
        }
    }
    return report;
}
