// SPDX-License-Identifier: GPL-3.0-or-later
#include "display/missing_glyphs.hpp"

#include "display/font_choice.hpp"
#include "display/text_layout.hpp"

#include <algorithm>

namespace lumivel {

std::string missingGlyphs(int fontIndex, std::string_view texto, bool withExtraGlyphs) {
    const TextLayout layout = layOutText(fontIndex, texto, withExtraGlyphs);
    std::string missing;
    for (std::size_t i = 0; i < texto.size(); ++i) {
        const char c = texto[i];
        if (c == ' ' || missing.find(c) != std::string::npos) {
            continue;
        }
        const auto first = layout.columnas.begin() + layout.starts[i];
        const auto end = i + 1 < texto.size() ? layout.columnas.begin() + layout.starts[i + 1]
                                              : layout.columnas.end();
        if (std::all_of(first, end, [](std::uint8_t column) { return column == 0; })) {
            missing += c;
        }
    }
    return missing;
}

std::string missingGlyphsPhrase(int fontIndex, std::string_view missing) {
    std::string phrase = "sin letra en " + std::string(fontCaption(fontIndex)) + ":";
    for (std::size_t i = 0; i < missing.size(); ++i) {
        phrase += i == 0 ? " " : ", ";
        phrase += missing[i];
    }
    return phrase;
}

std::string missingGlyphsWarning(int fontIndex, std::string_view missing) {
    std::string warning = missingGlyphsPhrase(fontIndex, missing);
    warning.front() = 'S';
    return warning;
}

} // namespace lumivel
