// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "store/message_record.hpp"

#include <cstdint>
#include <string>
#include <string_view>

namespace lumivel {

// Columns of the sign that show a text; composition goes on beyond them.
constexpr int kShownColumns = 64;

// What will not reach the sign as written in a text message.
struct MessageProblems {
    // Characters the font shows as a gap (Windows-1252), in order of first appearance.
    std::string missing;
    // "Por Fila" and "Por columna" show the first 64 columns only: the composed text's
    // width when it is wider, else 0, and the characters that start beyond the edge
    // (Windows-1252, spaces trimmed).
    int columns = 0;
    std::string hidden;
    // The text's length when it is longer than a record keeps, else 0.
    int length = 0;
    // A picture that lights no LED: the sign shows nothing for it.
    bool unlit = false;

    bool any() const { return !missing.empty() || columns > 0 || length > 0 || unlit; }
};

// The problems of `texto` (Windows-1252) shown with font code `letra` (1..4) and
// presentation `presentacion` (1..3), as stored in a message; a code no option has is not
// judged.
MessageProblems messageProblems(std::string_view texto, std::int16_t letra,
                                std::int16_t presentacion);

// The problems of a stored message, text or picture.
MessageProblems messageProblems(const tipomensaje& mensaje);

// A text laid out wider than the sign's 64 columns: its width, and the characters that
// start beyond the edge (Windows-1252, spaces trimmed). Columns 0 when it fits.
struct TextCut {
    int columns = 0;
    std::string hidden;
};

// `texto` (Windows-1252) in the font of Opletra index `fontIndex`; with `withExtraGlyphs` as
// a picture composes it.
TextCut textCut(int fontIndex, std::string_view texto, bool withExtraGlyphs);

// "el texto ocupa 87 columnas; el Lumivel muestra 64: no se verá «TIENDA»" (UTF-8), for a
// text `columns` wide whose characters `hidden` (UTF-8) lie beyond the edge.
std::string cutPhrase(int columns, std::string_view hidden);
// The same phrase as a sentence on its own: "El texto ocupa ...".
std::string cutSentence(int columns, std::string_view hidden);

} // namespace lumivel
