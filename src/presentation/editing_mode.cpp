#include "presentation/editing_mode.hpp"

#include "display/composition.hpp"

namespace lumivel {

void Option1_Click(Lumivel& l, int index) {
    l.option1 = index == kModoDibujo ? kModoDibujo : kModoTexto;
    l.sign.borrar();
    l.sign.mostrar();
    cambiarTexto(l, "");
}

void seleccionarOption1(Lumivel& l, int index) {
    const int modo = index == kModoDibujo ? kModoDibujo : kModoTexto;
    if (l.option1 != modo) {
        Option1_Click(l, modo);
    }
}

} // namespace lumivel
