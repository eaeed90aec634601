// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/font_option.hpp"

#include <array>

namespace lumivel::cli {

int fontIndex(const Arguments& args) {
    static constexpr std::array<const char*, 4> names = {"5x5", "5x7", "5x9", "negrita"};
    const auto font = args.value("font");
    if (!font) {
        return 0;
    }
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (*font == names[i]) {
            return static_cast<int>(i);
        }
    }
    throw UsageError{"tipo de letra desconocido: " + *font + " (5x5, 5x7, 5x9 o negrita)"};
}

int effectIndex(const Arguments& args) {
    static constexpr std::array<const char*, 3> names = {"caminando", "porfila", "porcolumna"};
    const auto effect = args.value("effect");
    if (!effect) {
        return 0;
    }
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (*effect == names[i]) {
            return static_cast<int>(i);
        }
    }
    throw UsageError{"efecto desconocido: " + *effect + " (caminando, porfila o porcolumna)"};
}

bool hexFormat(const Arguments& args) {
    const std::string format = args.value("format").value_or("ascii");
    if (format != "ascii" && format != "hex") {
        throw UsageError{"formato desconocido: " + format + " (ascii o hex)"};
    }
    return format == "hex";
}

Alignment alignment(const Arguments& args) {
    const std::string align = args.value("align").value_or("left");
    if (align == "left") {
        return Alignment::Left;
    }
    if (align == "center") {
        return Alignment::Centre;
    }
    if (align == "right") {
        return Alignment::Right;
    }
    throw UsageError{"alineacion desconocida: " + align + " (left, center o right)"};
}

} // namespace lumivel::cli
