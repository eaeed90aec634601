// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/message_names.hpp"

#include "display/font_choice.hpp"

#include <array>

namespace lumivel {

namespace {

template <std::size_t N>
std::string nameOf(std::int16_t value, const std::array<const char*, N>& names) {
    if (value >= 1 && value <= static_cast<int>(N)) {
        return names.at(static_cast<std::size_t>(value - 1));
    }
    return std::to_string(value);
}

} // namespace

std::string effectName(std::int16_t presentacion) {
    return nameOf<3>(presentacion, {"Caminando", "Por Fila", "Por columna"});
}

std::string fontName(std::int16_t letra) {
    if (letra >= 1 && letra <= 4) {
        return std::string(fontCaption(letra - 1));
    }
    return std::to_string(letra);
}

} // namespace lumivel
