// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/message_problems.hpp"

#include "display/missing_glyphs.hpp"
#include "display/text_layout.hpp"

#include <algorithm>
#include <utility>

namespace lumivel {
namespace {

// "Caminando" walks the whole text past the sign, so only these two are cut at its edge.
constexpr std::int16_t kPerRow = 2;
constexpr std::int16_t kPerColumn = 3;

std::string trimmed(std::string_view texto) {
    const auto first = texto.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return std::string(texto.substr(first, texto.find_last_not_of(' ') - first + 1));
}

} // namespace

MessageProblems messageProblems(const tipomensaje& mensaje) {
    if (!mensaje.isPicture()) {
        return messageProblems(storedText(mensaje), mensaje.letra, mensaje.presentacion);
    }
    MessageProblems problems;
    const auto columnas = decodePicture(mensaje.texto);
    problems.unlit = std::all_of(columnas.begin(), columnas.end(),
                                 [](std::uint8_t columna) { return columna == 0; });
    return problems;
}

TextCut textCut(int fontIndex, std::string_view texto, bool withExtraGlyphs) {
    TextCut cut;
    const TextLayout layout = layOutText(fontIndex, texto, withExtraGlyphs);
    if (layout.width() > kShownColumns) {
        cut.columns = layout.width();
        const auto beyond = std::find_if(layout.starts.begin(), layout.starts.end(),
                                         [](int start) { return start >= kShownColumns; });
        cut.hidden = trimmed(
            texto.substr(static_cast<std::size_t>(std::distance(layout.starts.begin(), beyond))));
    }
    return cut;
}

MessageProblems messageProblems(std::string_view texto, std::int16_t letra,
                                std::int16_t presentacion) {
    MessageProblems problems;
    if (texto.size() > tipomensaje::kTextLength) {
        problems.length = static_cast<int>(texto.size());
    }
    if (letra < 1 || letra > 4) {
        return problems;
    }
    const int fontIndex = letra - 1;
    problems.missing = missingGlyphs(fontIndex, texto);
    if (presentacion != kPerRow && presentacion != kPerColumn) {
        return problems;
    }
    TextCut cut = textCut(fontIndex, texto, false);
    problems.columns = cut.columns;
    problems.hidden = std::move(cut.hidden);
    return problems;
}

std::string cutPhrase(int columns, std::string_view hidden) {
    std::string phrase = "el texto ocupa " + std::to_string(columns) +
                         " columnas; el Lumivel muestra " + std::to_string(kShownColumns);
    if (!hidden.empty()) {
        phrase += ": no se verá «" + std::string(hidden) + "»";
    }
    return phrase;
}

std::string cutSentence(int columns, std::string_view hidden) {
    std::string sentence = cutPhrase(columns, hidden);
    sentence.front() = 'E';
    return sentence;
}

} // namespace lumivel
