// SPDX-License-Identifier: GPL-3.0-or-later
#include "display/font_choice.hpp"

#include "display/composition.hpp"
#include "display/font_texts.hpp"

#include <array>

namespace lumivel {

std::string_view fontText(int index) {
    static constexpr std::array<const std::string_view*, 4> texts = {&cincocinco, &cincosiete,
                                                                     &cinconueve, &negrita};
    return *texts.at(static_cast<std::size_t>(index));
}

std::string_view fontCaption(int index) {
    static constexpr std::array<std::string_view, 4> captions = {"5 x 5", "5 x 7", "5 x 9",
                                                                 "Negrita"};
    return captions.at(static_cast<std::size_t>(index));
}

void Opletra_Click(SignState& l, int index) {
    l.opletra = index;
    l.tipoletra = static_cast<std::int16_t>(index + 1);
    l.fuente.cargaletra(fontText(index));
    // Always re-rendered: `refresco` also keeps the case button's turn, and after that
    // button the sign would go on showing the old font while the new one is stored.
    l.sign.borrar();
    cargar(l);
    l.sign.mostrar();
}

void selectOpletra(SignState& l, int index) {
    if (l.opletra != index) {
        Opletra_Click(l, index);
    }
}

} // namespace lumivel
