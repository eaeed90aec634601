// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QColor>
#include <QImage>

#include <array>
#include <cstdint>

namespace lumivel {

// The sign showing `columns` (bit r of column c is row r) exactly as the main window paints
// it at a device pixel ratio of 1: 775 x 102 pixels on black, LED (c, r) centred on pixel
// (6 + 12c, 6 + 12r), lit LEDs in `lit` with the window's darker ring.
QImage signImage(const std::array<std::uint8_t, 64>& columns, QColor lit);

} // namespace lumivel
