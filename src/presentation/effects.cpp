// SPDX-License-Identifier: GPL-3.0-or-later
#include "presentation/effects.hpp"

#include "display/composition.hpp"
#include "display/shown_sign.hpp"

#include <algorithm>
#include <string>

namespace lumivel {
namespace {

// Loop bounds are read when a loop starts; they never reach past the stored columns.
int lastColumn(const SignState& l) {
    return std::min<int>(l.sign.columnas, Sign::kColumns - 1);
}
int lastRow(const SignState& l) {
    return std::min<int>(l.sign.filas, Sign::kRows - 1);
}

} // namespace

void caminar(SignState& l, Pacer& pacer) {
    const std::string saved = l.texto;
    const std::string input = std::string(kLeadingSpaces, ' ') + saved;
    // Every character moves the composition at least one column, so the first kVisibleColumns
    // characters fill all the shown columns (the rest would only reach hidden columns).
    constexpr std::size_t kVisibleColumns = ShownSign::kColumns + 1;
    const std::size_t n = input.size();
    for (std::size_t i = 0; i <= n; ++i) {
        // Only the characters that reach the sign: the step's work does not grow with the
        // text. The text box is not shown during the walk; the text is put back after it.
        l.texto.assign(input, i, kVisibleColumns);
        Text1_Change(l);
        pacer.wait(kCharacterStepMs);
        if (pacer.stopped()) {
            break;
        }
    }
    changeText(l, saved);
}

void sube(SignState& l, Pacer& pacer) {
    for (int j = lastRow(l); j >= -1; --j) {
        cargar(l);
        const int untilColumn = lastColumn(l);
        for (int c = 0; c <= untilColumn; ++c) {
            for (int r = 0; r <= j; ++r) {
                l.sign.matriz[c][r] = 0;
            }
        }
        l.sign.mostrar();
        pacer.wait(kRowStepMs);
        if (pacer.stopped()) {
            return;
        }
    }
}

void baja(SignState& l, Pacer& pacer) {
    const int untilRow = lastRow(l);
    for (int r = 0; r <= untilRow; ++r) {
        const int untilColumn = lastColumn(l);
        for (int c = 0; c <= untilColumn; ++c) {
            l.sign.matriz[c][r] = 0;
        }
        l.sign.mostrar();
        pacer.wait(kRowStepMs);
        if (pacer.stopped()) {
            return;
        }
    }
}

void porfila(SignState& l, Pacer& pacer) {
    sube(l, pacer);
    if (pacer.stopped()) {
        return;
    }
    l.sign.mostrar();
    pacer.wait(kHoldMs);
    if (pacer.stopped()) {
        return;
    }
    baja(l, pacer);
}

void porcolumna(SignState& l, Pacer& pacer) {
    l.sign.borrar();
    l.sign.mostrar();
    cargar(l);
    const int untilColumn = lastColumn(l);
    for (int c = 0; c <= untilColumn; ++c) {
        const int untilRow = lastRow(l);
        for (int r = 0; r <= untilRow; ++r) {
            l.sign.led(c, r, l.sign.matriz[c][r]);
        }
        pacer.wait(kColumnStepMs);
        if (pacer.stopped()) {
            return;
        }
    }
    cargar(l);
    l.sign.mostrar();
    pacer.wait(kHoldMs);
    if (pacer.stopped()) {
        return;
    }
    const int untilLastColumn = lastColumn(l);
    for (int c = 0; c <= untilLastColumn; ++c) {
        const int untilRow = lastRow(l);
        for (int r = 0; r <= untilRow; ++r) {
            l.sign.led(c, r, 0);
        }
        pacer.wait(kColumnStepMs);
        if (pacer.stopped()) {
            return;
        }
    }
}

} // namespace lumivel
