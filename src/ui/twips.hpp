// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QRect>

namespace lumivel {

// Window layouts are given in twips; 15 twips are one pixel at 96 dpi.
constexpr QRect twips(int left, int top, int width, int height) {
    return QRect(left / 15, top / 15, width / 15, height / 15);
}

} // namespace lumivel
