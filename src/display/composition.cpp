// SPDX-License-Identifier: GPL-3.0-or-later
#include "display/composition.hpp"

#include "base/windows1252.hpp"

namespace lumivel {
namespace {

constexpr int kLastVisibleColumn = 64;

void advance(SignState& l) {
    if (l.xletra < kLastVisibleColumn) {
        ++l.xletra;
    }
}

} // namespace

void buscaletra(SignState& l, unsigned char letra) {
    int k = letra - 32;
    if (letra == ' ' && l.xletra < kLastVisibleColumn) {
        l.xletra = static_cast<std::int16_t>(l.xletra + 3);
    }
    k *= 5;
    if (k >= 0) {
        // The font table reads 0 past its end, so codes 233..255 end at once: gap only.
        for (int j = k; j <= k + 4; ++j) {
            const int column = l.fuente(j);
            if (column == 0) {
                break;
            }
            l.sign.cbin(column, l.xletra);
            advance(l);
        }
        advance(l);
    } else {
        advance(l);
        advance(l);
    }
}

void cargar(SignState& l) {
    l.xletra = 0;
    for (char c : l.texto) {
        buscaletra(l, static_cast<unsigned char>(c));
    }
}

void Text1_Change(SignState& l) {
    l.sign.borrar();
    cargar(l);
    l.sign.mostrar();
}

void changeText(SignState& l, const std::string& texto) {
    if (texto == l.texto) {
        return;
    }
    l.texto = texto;
    Text1_Change(l);
}

void mayuscula_Click(SignState& l) {
    if (!l.refresco) {
        changeText(l, windows1252Lower(l.texto));
        l.refresco = true;
    } else {
        changeText(l, windows1252Upper(l.texto));
        l.refresco = false;
    }
}

} // namespace lumivel
