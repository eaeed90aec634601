// SPDX-License-Identifier: GPL-3.0-or-later
#include "display/text_layout.hpp"

#include "display/extra_glyphs.hpp"
#include "display/font_choice.hpp"
#include "display/font_table.hpp"

#include <algorithm>

namespace lumivel {
namespace {

constexpr int kSpaceColumns = 3;
constexpr int kControlColumns = 2;
constexpr int kGlyphColumns = 5;

} // namespace

int TextLayout::width() const {
    const auto last = std::find_if(columnas.rbegin(), columnas.rend(),
                                   [](std::uint8_t column) { return column != 0; });
    return static_cast<int>(columnas.rend() - last);
}

TextLayout layOutText(int fontIndex, std::string_view texto, bool withExtraGlyphs) {
    FontTable fuente;
    fuente.cargaletra(fontText(fontIndex));
    TextLayout layout;
    layout.starts.reserve(texto.size());
    auto blank = [&layout](int n) { layout.columnas.insert(layout.columnas.end(), n, 0); };
    for (const char c : texto) {
        const auto letra = static_cast<unsigned char>(c);
        layout.starts.push_back(static_cast<int>(layout.columnas.size()));
        if (letra < ' ') {
            blank(kControlColumns);
            continue;
        }
        if (letra == ' ') {
            blank(kSpaceColumns);
        }
        const GlyphColumns* extra = withExtraGlyphs ? extraGlyph(fontIndex, letra) : nullptr;
        for (int j = 0; j < kGlyphColumns; ++j) {
            const int column = extra != nullptr ? (*extra)[static_cast<std::size_t>(j)]
                                                : fuente((letra - ' ') * kGlyphColumns + j);
            if (column == 0) {
                break;
            }
            layout.columnas.push_back(static_cast<std::uint8_t>(column));
        }
        blank(1);
    }
    return layout;
}

} // namespace lumivel
