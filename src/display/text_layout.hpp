// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

namespace lumivel {

// A text laid out as composition lays it on the sign (each glyph up to its first zero
// column and one blank column, a space four blank columns, a control character two), from
// column 0 but without the sign's edge: what lies beyond column 63 is kept too.
struct TextLayout {
    std::vector<std::uint8_t> columnas;
    // The first column of each character of the text.
    std::vector<int> starts;

    // Last lit column + 1; 0 when nothing is lit.
    int width() const;
};

// `texto` (Windows-1252) in the font of Opletra index `fontIndex`; with `withExtraGlyphs`
// the characters the font lacks take their extra glyph where there is one.
TextLayout layOutText(int fontIndex, std::string_view texto, bool withExtraGlyphs);

} // namespace lumivel
