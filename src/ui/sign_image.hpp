#pragma once
#include <QColor>
#include <QImage>

#include <array>
#include <cstdint>

namespace lumivel {

// The sign exactly as the window paints it (775 x 102), showing the 64 column bytes
// (bit r: row r lit) with LEDs lit in `lit`.
QImage signImage(const std::array<std::uint8_t, 64>& columns, QColor lit);

} // namespace lumivel
