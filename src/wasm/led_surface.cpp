// SPDX-License-Identifier: GPL-3.0-or-later
#include "wasm/led_surface.hpp"

namespace lumivel {

void LedSurface::setSize(int width, int height) {
    width_ = width;
    height_ = height;
}

void LedSurface::drawLed(const LedStroke& stroke) {
    if (stroke.column < 0 || stroke.column >= kColumns || stroke.row < 0 || stroke.row >= kRows) {
        return;
    }
    states_[static_cast<std::size_t>(stroke.column * kRows + stroke.row)] =
        stroke.lit ? Lit : Unlit;
    last_ = stroke;
}

void LedSurface::erase() {
    states_.fill(Blank);
}

} // namespace lumivel
