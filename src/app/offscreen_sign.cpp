// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/offscreen_sign.hpp"

#include "base/windows1252.hpp"
#include "display/composition.hpp"
#include "display/font_choice.hpp"
#include "drawing/picture_edit.hpp"
#include "session/startup.hpp"

#include <ostream>

namespace lumivel::cli {

OffscreenSign::OffscreenSign(int fontIndex) {
    lumivel_.sign.setSurface(&shown_);
    startUp(lumivel_, ".");
    selectOpletra(lumivel_, fontIndex);
}

void OffscreenSign::compose(const std::string& utf8) {
    lumivel_.texto = utf8ToWindows1252(utf8);
    Text1_Change(lumivel_);
}

void OffscreenSign::showPicture(const std::array<std::uint8_t, 64>& columnas) {
    lumivel::showPicture(lumivel_.sign, columnas);
}

void OffscreenSign::print(std::ostream& out, bool hex) const {
    if (hex) {
        out << shown_.hexLine() << '\n';
    } else {
        out << shown_.asciiArt();
    }
}

} // namespace lumivel::cli
