#include "presentation/effects.hpp"

#include "display/composition.hpp"
#include "display/shown_sign.hpp"

#include <algorithm>
#include <string>

namespace lumivel {
namespace {

// Loop bounds are read when a loop starts; they never reach past the stored columns.
int ultimaColumna(const SignState& l) {
    return std::min<int>(l.sign.columnas, Sign::kColumns - 1);
}
int ultimaFila(const SignState& l) {
    return std::min<int>(l.sign.filas, Sign::kRows - 1);
}

} // namespace

void caminar(SignState& l, Pacer& pacer) {
    const std::string guardado = l.texto;
    const std::string entrada = std::string(kLeadingSpaces, ' ') + guardado;
    // Every character moves the composition at least one column, so the first kVisibleColumns
    // characters fill all the shown columns (the rest would only reach hidden columns).
    constexpr std::size_t kVisibleColumns = ShownSign::kColumns + 1;
    const std::size_t n = entrada.size();
    for (std::size_t i = 0; i <= n; ++i) {
        // Only the characters that reach the sign: the step's work does not grow with the
        // text. The text box is not shown during the walk; the text is put back after it.
        l.texto.assign(entrada, i, kVisibleColumns);
        Text1_Change(l);
        pacer.esperar(kCharacterStepMs);
        if (pacer.detenido()) {
            break;
        }
    }
    changeText(l, guardado);
}

void sube(SignState& l, Pacer& pacer) {
    for (int j = ultimaFila(l); j >= -1; --j) {
        cargar(l);
        const int hastaColumna = ultimaColumna(l);
        for (int c = 0; c <= hastaColumna; ++c) {
            for (int r = 0; r <= j; ++r) {
                l.sign.matriz[c][r] = 0;
            }
        }
        l.sign.mostrar();
        pacer.esperar(kRowStepMs);
        if (pacer.detenido()) {
            return;
        }
    }
}

void baja(SignState& l, Pacer& pacer) {
    const int hastaFila = ultimaFila(l);
    for (int r = 0; r <= hastaFila; ++r) {
        const int hastaColumna = ultimaColumna(l);
        for (int c = 0; c <= hastaColumna; ++c) {
            l.sign.matriz[c][r] = 0;
        }
        l.sign.mostrar();
        pacer.esperar(kRowStepMs);
        if (pacer.detenido()) {
            return;
        }
    }
}

void porfila(SignState& l, Pacer& pacer) {
    sube(l, pacer);
    if (pacer.detenido()) {
        return;
    }
    l.sign.mostrar();
    pacer.esperar(kHoldMs);
    if (pacer.detenido()) {
        return;
    }
    baja(l, pacer);
}

void porcolumna(SignState& l, Pacer& pacer) {
    l.sign.borrar();
    l.sign.mostrar();
    cargar(l);
    const int hastaColumna = ultimaColumna(l);
    for (int c = 0; c <= hastaColumna; ++c) {
        const int hastaFila = ultimaFila(l);
        for (int r = 0; r <= hastaFila; ++r) {
            l.sign.led(c, r, l.sign.matriz[c][r]);
        }
        pacer.esperar(kColumnStepMs);
        if (pacer.detenido()) {
            return;
        }
    }
    cargar(l);
    l.sign.mostrar();
    pacer.esperar(kHoldMs);
    if (pacer.detenido()) {
        return;
    }
    const int hastaColumnaFinal = ultimaColumna(l);
    for (int c = 0; c <= hastaColumnaFinal; ++c) {
        const int hastaFila = ultimaFila(l);
        for (int r = 0; r <= hastaFila; ++r) {
            l.sign.led(c, r, 0);
        }
        pacer.esperar(kColumnStepMs);
        if (pacer.detenido()) {
            return;
        }
    }
}

} // namespace lumivel
